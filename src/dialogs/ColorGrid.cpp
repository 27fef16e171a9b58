#include "dialogs/ColorGrid.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kColumns = 4;
constexpr int kCells = 16;

} // namespace

TColorGrid::TColorGrid(QWidget* parent) : QWidget(parent)
{
    setFixedSize(100, 100);
}

QColor TColorGrid::BasicColour(int index)
{
    static const QRgb colours[kCells] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                         0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                         0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return index >= 0 && index < kCells ? QColor(colours[index]) : QColor();
}

void TColorGrid::SetMarked(int index)
{
    marked_ = index >= 0 && index < kCells ? index : -1;
    update();
}

QRect TColorGrid::CellRect(int index) const
{
    const int cell = width() / kColumns;
    return QRect((index % kColumns) * cell, (index / kColumns) * cell, cell, cell);
}

void TColorGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (int index = 0; index < kCells; ++index) {
        const QRect cell = CellRect(index).adjusted(1, 1, -1, -1);
        painter.fillRect(cell, BasicColour(index));
        painter.setPen(index == marked_ ? Qt::white : Qt::gray);
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
    }
}

void TColorGrid::mousePressEvent(QMouseEvent* event)
{
    for (int index = 0; index < kCells; ++index) {
        if (CellRect(index).contains(event->position().toPoint())) {
            SetMarked(index);
            emit colourClicked(BasicColour(index));
            return;
        }
    }
}
