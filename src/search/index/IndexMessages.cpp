#include "search/index/IndexMessages.h"

#include <cstdio>

namespace {

void logMessage(IndexMessageKind, const QString& text)
{
    if (qEnvironmentVariableIntValue("DISCSHELL_LOG") != 0) {
        std::fprintf(stderr, "discshell: %s\n", qPrintable(text));
    }
}

IndexMessageHandler& handler()
{
    static IndexMessageHandler current = logMessage;
    return current;
}

} // namespace

namespace IndexMessages {

void SetHandler(IndexMessageHandler newHandler)
{
    handler() = newHandler ? std::move(newHandler) : logMessage;
}

void Show(IndexMessageKind kind, const QString& text)
{
    handler()(kind, text);
}

} // namespace IndexMessages
