#include "effects/ElementEdit.h"

#include <QLineEdit>
#include <algorithm>

QLineEdit* CreateElementEdit(QWidget* parent, const QRect& bounds, const QString& hint)
{
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setVisible(false);
    edit->setToolTip(hint);
    edit->setGeometry(bounds);
    QFont font = edit->font();
    font.setPixelSize(std::max(1, bounds.height() - 1));
    edit->setFont(font);
    return edit;
}

QRect ElementBounds(int left, int top, int right, int bottom)
{
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}
