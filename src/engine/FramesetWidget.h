#pragma once

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

// One frameset: its parts side by side (columns) or stacked (rows), sized by
// the frameset's specs whenever the widget is resized. A part is a frame's
// viewer or a nested frameset.
class FramesetWidget : public QWidget {
    Q_OBJECT
public:
    FramesetWidget(bool rows, const QStringList& sizes, QWidget* parent);

    void addPart(QWidget* part);
    const QList<QPointer<QWidget>>& parts() const { return parts_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutParts();

    bool rows_;
    QStringList sizes_;
    QList<QPointer<QWidget>> parts_;
};
