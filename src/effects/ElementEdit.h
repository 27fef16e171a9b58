#pragma once

#include <QRect>

class QLineEdit;
class QString;
class QWidget;

// A frameless line edit over the rectangle of an interface element (find-text
// and installation-folder fields), hidden until its screen shows it, its text
// as high as the rectangle allows.
QLineEdit* CreateElementEdit(QWidget* parent, const QRect& bounds, const QString& hint);

// The rectangle of an element given by its edges; a reversed edge gives an
// empty side.
QRect ElementBounds(int left, int top, int right, int bottom);
