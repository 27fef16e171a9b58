#pragma once

#include <QList>
#include <QStringList>

// The dynamic arrays the whole program passes around.
using TDynamicStringArray = QStringList;
using TDynamicIntegerArray = QList<qint32>;
using TDynamicBooleanArray = QList<bool>;
