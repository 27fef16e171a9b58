#pragma once

#include <QColor>
#include <QWidget>

// The 16 basic colours in a grid of 4 x 4 cells; a click picks one.
class TColorGrid : public QWidget {
    Q_OBJECT
public:
    explicit TColorGrid(QWidget* parent = nullptr);

    static QColor BasicColour(int index);
    // The marked cell, -1 when none is marked.
    int Marked() const { return marked_; }
    void SetMarked(int index);
    QRect CellRect(int index) const;

signals:
    void colourClicked(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int marked_ = -1;
};
