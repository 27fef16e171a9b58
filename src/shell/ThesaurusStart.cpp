#include "shell/ThesaurusStart.h"

namespace ThesaurusStart {

QString PageOfCommandLine(const QString& rawCommandLine, const QString& programFile)
{
    QString rest = rawCommandLine;
    const qsizetype quoteBlank = rest.indexOf(QLatin1String("\" "));
    rest.remove(0, quoteBlank >= 0 ? quoteBlank + 2 : programFile.size());
    rest.remove(QLatin1Char('"'));
    rest = rest.trimmed();
    const qsizetype mode = rest.indexOf(QLatin1String(" /t"));
    if (mode >= 0) {
        rest.remove(mode, 3);
    }
    return rest;
}

QString Caption()
{
    return QStringLiteral("Тезаурус");
}

QString DescriptionFile()
{
    return QStringLiteral("Tesaurus.cfs");
}

} // namespace ThesaurusStart
