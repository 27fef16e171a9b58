#include "engine/FramesetWidget.h"

#include "engine/FramesetLayout.h"

FramesetWidget::FramesetWidget(bool rows, const QStringList& sizes, QWidget* parent)
    : QWidget(parent), rows_(rows), sizes_(sizes)
{
}

void FramesetWidget::addPart(QWidget* part)
{
    part->setParent(this);
    parts_.append(part);
    layoutParts();
}

void FramesetWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutParts();
}

void FramesetWidget::layoutParts()
{
    QStringList specs = sizes_;
    while (specs.size() < parts_.size()) {
        specs.append(QStringLiteral("*"));
    }
    const int extent = rows_ ? height() : width();
    const QList<int> sizes = FramesetLayout::Sizes(specs, extent);
    int offset = 0;
    for (int i = 0; i < parts_.size(); ++i) {
        QWidget* part = parts_.at(i);
        if (!part) {
            continue;
        }
        const int size = sizes.value(i);
        part->setGeometry(rows_ ? QRect(0, offset, width(), size)
                                : QRect(offset, 0, size, height()));
        part->setVisible(size > 0);
        offset += size;
    }
}
