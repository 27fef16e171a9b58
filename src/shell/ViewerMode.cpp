#include "shell/ViewerMode.h"

#include "data/ConfigText.h"
#include "data/ReadBin.h"
#include "data/ValueReaders.h"

#include <QPixmap>

namespace ViewerMode {

namespace {

const QString iconKey = QStringLiteral("icon");
constexpr int valueOffset = 5;

} // namespace

const QString& Caption()
{
    static const QString caption = QStringLiteral("Увеличенная картинка");
    return caption;
}

const QString& HelpTitle()
{
    static const QString title = QStringLiteral("Помощь");
    return title;
}

RHTML PanelRecord(const QString& file)
{
    RHTML panel;
    panel.Left = panel.Top = panel.Right = panel.Bottom = 0;
    panel.File = file;
    panel.Screen = 0;
    return panel;
}

QString IconEntry(const TDynamicStringArray& lines)
{
    for (const QString& line : lines) {
        const qsizetype start = line.toLower().indexOf(iconKey);
        if (start >= 0) {
            return ReadStrValue(line, int(start) + 1 + valueOffset);
        }
    }
    return QString();
}

QIcon DiscIcon(const TReadBin& bin)
{
    QByteArray buffer;
    if (bin.ReadToBuffer(QStringLiteral("Struct.cfs"), buffer) < 0) {
        return QIcon();
    }
    TDynamicStringArray lines;
    DecodeConfig(buffer, lines, false);
    const QString entry = IconEntry(lines);
    QByteArray picture;
    if (entry.isEmpty() || bin.ReadToBuffer(entry, picture) < 0) {
        return QIcon();
    }
    QPixmap pixmap;
    return pixmap.loadFromData(picture) ? QIcon(pixmap) : QIcon();
}

} // namespace ViewerMode
