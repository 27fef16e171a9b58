#include "shell/ShellGlobals.h"

TShellGlobals& Shell()
{
    static TShellGlobals globals;
    return globals;
}

QString SettingsKey(const QString& diskTitle)
{
    return QStringLiteral("SOFTWARE\\Pallidrome\\") + diskTitle;
}
