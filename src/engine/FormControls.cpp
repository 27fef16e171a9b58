#include "engine/FormControls.h"

#include "engine/DocumentGeometry.h"

#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

namespace {

constexpr int kArrowWidth = 20;
constexpr int kMaxWidth = 600;

QImage faceOf(const PageSelect& select, int index)
{
    QImage face(select.size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
    face.fill(Qt::white);
    QPainter painter(&face);
    painter.setPen(Qt::gray);
    painter.drawRect(face.rect().adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    const QString text =
        index >= 0 && index < select.items.size() ? select.items.at(index) : QString();
    painter.drawText(face.rect().adjusted(4, 0, -kArrowWidth, 0), Qt::AlignVCenter, text);
    const int middle = face.height() / 2;
    const int right = face.width() - kArrowWidth / 2;
    const QPoint arrow[3] = {{right - 4, middle - 2}, {right + 4, middle - 2}, {right, middle + 3}};
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow, 3);
    return face;
}

QUrl faceUrl(int index)
{
    return QUrl(PreparedPage::ControlToken(index));
}

} // namespace

FormControls::FormControls(QTextBrowser* browser) : QObject(browser), browser_(browser)
{
    connect(browser->verticalScrollBar(), &QScrollBar::valueChanged, this, &FormControls::place);
    connect(browser->horizontalScrollBar(), &QScrollBar::valueChanged, this, &FormControls::place);
}

FormControls::~FormControls()
{
    clear();
}

QSize FormControls::PlaceholderSize(const PageSelect& select, const QFont& font)
{
    const QFontMetrics metrics(font);
    int width = 40;
    for (const QString& item : select.items) {
        width = qMax(width, metrics.horizontalAdvance(item) + 8 + kArrowWidth);
    }
    return QSize(qMin(width, kMaxWidth), metrics.height() + 8);
}

void FormControls::AddFaces(QTextDocument& document, const QList<PageSelect>& selects)
{
    for (int i = 0; i < selects.size(); ++i) {
        document.addResource(QTextDocument::ImageResource, faceUrl(i),
                             faceOf(selects.at(i), selects.at(i).selected));
    }
}

void FormControls::build(const QList<PageSelect>& selects, bool widgets)
{
    clear();
    for (const PageSelect& select : selects) {
        Control control;
        control.select = select;
        if (widgets) {
            auto* box = new QComboBox(browser_->viewport());
            box->addItems(select.items);
            box->setCurrentIndex(select.selected);
            box->setFixedSize(select.size);
            const int index = int(controls_.size());
            connect(box, &QComboBox::currentIndexChanged, this,
                    [this, index] { selectionChanged(index); });
            control.box = box;
        }
        controls_.append(control);
    }
    if (controls_.isEmpty()) {
        return;
    }
    findPlaceholders();
    connect(browser_->document()->documentLayout(),
            &QAbstractTextDocumentLayout::documentSizeChanged, this, &FormControls::place,
            Qt::UniqueConnection);
    place();
}

void FormControls::clear()
{
    for (Control& control : controls_) {
        delete control.box.data();
    }
    controls_.clear();
}

void FormControls::findPlaceholders()
{
    const QTextDocument* document = browser_->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat()) {
                continue;
            }
            const int index =
                PreparedPage::TokenIndex(format.toImageFormat().name(), QStringLiteral("ctl"));
            if (index >= 0 && index < controls_.size() && controls_[index].position < 0) {
                controls_[index].position = it.fragment().position();
            }
        }
    }
}

QRect FormControls::controlRect(int index) const
{
    if (index < 0 || index >= controls_.size() || controls_[index].position < 0) {
        return QRect();
    }
    return DocumentGeometry::InlineObjectRect(*browser_->document(), controls_[index].position)
        .toRect();
}

void FormControls::place()
{
    const QPoint scroll(browser_->horizontalScrollBar()->value(),
                        browser_->verticalScrollBar()->value());
    for (int i = 0; i < controls_.size(); ++i) {
        QComboBox* box = controls_[i].box;
        if (!box) {
            continue;
        }
        const QRect rect = controlRect(i);
        box->setVisible(!rect.isNull());
        box->move(rect.topLeft() - scroll);
    }
}

void FormControls::selectionChanged(int index)
{
    Control& control = controls_[index];
    control.select.selected = control.box->currentIndex();
    QTextDocument* document = browser_->document();
    document->addResource(QTextDocument::ImageResource, faceUrl(index),
                          faceOf(control.select, control.select.selected));
    if (control.position >= 0) {
        document->markContentsDirty(control.position, 1);
    }
}

QList<FormControl> FormControls::list() const
{
    QList<FormControl> result;
    for (const Control& control : controls_) {
        FormControl entry;
        entry.name = control.select.name;
        entry.items = control.select.items;
        entry.selectedIndex = control.select.selected;
        result.append(entry);
    }
    return result;
}
