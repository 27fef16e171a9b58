#include "install/archive/ArchivePaths.h"

#include <QRegularExpression>

namespace ArchivePaths {

QString MangleArchivePath(const QString& path)
{
    QString mangled = path;
    const qsizetype last =
        std::max({mangled.lastIndexOf(QLatin1Char('\\')), mangled.lastIndexOf(QLatin1Char(':')),
                  mangled.lastIndexOf(QLatin1Char('.'))});
    if (last >= 0) {
        mangled[last] = QLatin1Char('_');
    }
    mangled.replace(QLatin1Char('\\'), QLatin1Char('_'));
    mangled.replace(QLatin1Char(':'), QLatin1Char('_'));
    return mangled;
}

QString FileNameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
}

QString FolderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('\\'));
    return slash < 0 ? QString() : path.left(slash);
}

quint32 DosDateTime(const QDateTime& time)
{
    const QDate date = time.date();
    const QTime clock = time.time();
    if (!time.isValid() || date.year() < 1980 || date.year() > 2107) {
        return 0;
    }
    return quint32(date.year() - 1980) << 25 | quint32(date.month()) << 21 |
           quint32(date.day()) << 16 | quint32(clock.hour()) << 11 | quint32(clock.minute()) << 5 |
           quint32(clock.second() / 2);
}

QDateTime FromDosDateTime(quint32 value)
{
    const QDate date(int(value >> 25) + 1980, int(value >> 21 & 15), int(value >> 16 & 31));
    const QTime clock(int(value >> 11 & 31), int(value >> 5 & 63), int(value & 31) * 2);
    if (value == 0 || !date.isValid() || !clock.isValid()) {
        return {};
    }
    return QDateTime(date, clock);
}

QStringList LaterVolumeNames(const QString& volume, int count)
{
    static const QRegularExpression partName(QStringLiteral("^(.*\\.part)(\\d+)(\\.rar)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    QStringList names;
    const QRegularExpressionMatch part = partName.match(volume);
    if (part.hasMatch()) {
        const QString digits = part.captured(2);
        for (int i = 1; i <= count; ++i) {
            names.append(part.captured(1) +
                         QStringLiteral("%1").arg(digits.toInt() + i, int(digits.size()), 10,
                                                  QLatin1Char('0')) +
                         part.captured(3));
        }
    } else if (volume.endsWith(QLatin1String(".rar"), Qt::CaseInsensitive)) {
        const QString base = volume.left(volume.size() - 3);
        const QChar r = volume.at(volume.size() - 3);
        for (int i = 0; i < count && i < 100; ++i) {
            names.append(base + r + QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
        }
    }
    return names;
}

} // namespace ArchivePaths
