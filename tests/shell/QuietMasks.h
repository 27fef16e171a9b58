#pragma once

#include <QString>
#include <QtGlobal>

// The offscreen platform keeps window masks but warns on every one it is
// given; the shaped window sets hundreds. Those lines are dropped, every other
// message goes on to the handler before.
namespace shelltest {

inline QtMessageHandler previousMessageHandler = nullptr;

inline void dropMaskWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("does not support setting window masks"))) {
        return;
    }
    if (previousMessageHandler) {
        previousMessageHandler(type, context, text);
    }
}

inline const bool maskWarningsDropped = [] {
    previousMessageHandler = qInstallMessageHandler(dropMaskWarnings);
    return true;
}();

} // namespace shelltest
