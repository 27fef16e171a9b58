#pragma once

#include <QColor>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

// One frameset: its parts side by side (columns) or stacked (rows), sized by
// the frameset's specs whenever the widget is resized. A part is a frame's
// viewer or a nested frameset. Between two parts lies a border of the
// frameset's width unless neither part has a border; a border beside no
// "noresize" frame can be dragged, after which the parts keep pixel sizes.
class FramesetWidget : public QWidget {
    Q_OBJECT
public:
    FramesetWidget(bool rows, const QStringList& sizes, int borderWidth, const QColor& borderColor,
                   QWidget* parent);

    // bordered: the part has edges of its own; resizable: its borders move.
    void addPart(QWidget* part, bool bordered = true, bool resizable = true);
    const QList<QPointer<QWidget>>& parts() const { return parts_; }
    // The borders between the parts, in widget coordinates (empty ones left out).
    QList<QRect> borders() const;
    bool canDrag(int border) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Part {
        bool bordered = true;
        bool resizable = true;
    };

    void layoutParts();
    int gapAfter(int part) const;
    int borderAt(QPoint point) const;
    void dragBorder(int border, int position);

    bool rows_;
    QStringList sizes_;
    int borderWidth_;
    QColor borderColor_;
    QList<QPointer<QWidget>> parts_;
    QList<Part> looks_;
    QList<QRect> gaps_; // after each part but the last; may be empty
    QList<int> placed_; // the pixel size of each part as laid out
    int dragged_ = -1;
    int grabOffset_ = 0; // where in the border the pointer took it
};
