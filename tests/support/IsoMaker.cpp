#include "IsoMaker.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace IsoMaker {

bool available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("xorriso")).isEmpty();
}

QString make(const QString& folder, const QString& image, Names names)
{
    QStringList arguments{QStringLiteral("-as"), QStringLiteral("mkisofs"),
                          QStringLiteral("-quiet"), QStringLiteral("-V"),
                          QStringLiteral("TESTDISC")};
    if (names == Names::RockRidge || names == Names::JolietAndRockRidge) {
        arguments << QStringLiteral("-R");
    }
    if (names == Names::Joliet || names == Names::JolietAndRockRidge) {
        arguments << QStringLiteral("-J") << QStringLiteral("-joliet-long");
    }
    arguments << QStringLiteral("-o") << image << folder;
    QProcess xorriso;
    xorriso.start(QStringLiteral("xorriso"), arguments);
    if (!xorriso.waitForFinished(120000) || xorriso.exitStatus() != QProcess::NormalExit ||
        xorriso.exitCode() != 0) {
        return QStringLiteral("xorriso failed: ") +
               QString::fromLocal8Bit(xorriso.readAllStandardError());
    }
    return QString();
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace IsoMaker
