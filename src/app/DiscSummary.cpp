#include "DiscSummary.h"

#include "ConfigText.h"
#include "PackedArchive.h"
#include "ReadBin.h"
#include "ValueReaders.h"

namespace {

QString titleOf(const TDynamicStringArray& lines)
{
    for (const QString& line : lines) {
        const int at = int(line.indexOf(QLatin1String("title")));
        if (at >= 0) {
            QString title = ReadStrValue(line, at + 1 + 6);
            if (!title.isEmpty()) {
                title[0] = title[0].toUpper();
            }
            return title;
        }
    }
    return {};
}

int countScreens(const TDynamicStringArray& lines)
{
    int screens = 0;
    for (const QString& line : lines) {
        if (line.contains(QLatin1String("_screen"))) {
            ++screens;
        }
    }
    return screens;
}

} // namespace

int SummariseDisc(const QString& appDir, QTextStream& out, QTextStream& err)
{
    if (!OpenArchive(appDir + QStringLiteral("interface.dat"))) {
        err << "discshell: " << InterfaceArchive().errorString() << Qt::endl;
        return 2;
    }
    TReadBin resources;
    if (!resources.Open(appDir + QStringLiteral("Mev.dhl"))) {
        err << "discshell: " << resources.errorString() << Qt::endl;
        return 2;
    }
    QByteArray structBuffer;
    if (resources.ReadToBuffer(QStringLiteral("Struct.cfs"), structBuffer) < 0) {
        err << "discshell: the resource container holds no Struct.cfs" << Qt::endl;
        return 2;
    }
    TDynamicStringArray lines;
    DecodeConfig(structBuffer, lines, true);

    out << "disc:      " << appDir << Qt::endl;
    out << "title:     " << titleOf(lines) << Qt::endl;
    out << "screens:   " << countScreens(lines) << Qt::endl;
    out << "resources: " << resources.Directory().size() << " entries" << Qt::endl;
    out << "archive:   " << ListArchive().size() << " files" << Qt::endl;
    return 0;
}
