#include "shell/ShellLog.h"

#include <cstdio>

bool ShellLogEnabled()
{
    static const bool enabled = qEnvironmentVariable("DISCSHELL_LOG") == QLatin1String("1");
    return enabled;
}

void LogSwallowed(const QString& where, const QString& what)
{
    if (ShellLogEnabled()) {
        std::fprintf(stderr, "discshell: %s: %s\n", qUtf8Printable(where), qUtf8Printable(what));
        std::fflush(stderr);
    }
}
