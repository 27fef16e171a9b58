#include "platform/Refusal.h"

#include <cstdio>

void Refusal::log(const QString& what, const QString& subject)
{
    static const bool enabled = qEnvironmentVariable("DISCSHELL_LOG") == QLatin1String("1");
    if (!enabled) {
        return;
    }
    const QByteArray line =
        QStringLiteral("discshell: refused %1: %2\n").arg(what, subject).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}
