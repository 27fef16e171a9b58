#include "SourceLines.h"

#include <QFile>
#include <QStringList>

bool ReadSourceLines(const QString& path, QString& error,
                     const std::function<bool(const QString& line, int number)>& parse)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        line.remove(QLatin1Char('\r'));
        if (!parse(line, i + 1)) {
            error = QStringLiteral("%1:%2: %3").arg(path).arg(i + 1).arg(error);
            return false;
        }
    }
    return true;
}
