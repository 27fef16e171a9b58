#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempDir::TempDir() : path_(dir_.path()) {}

QString TempDir::file(const QString& relative) const
{
    return path_ + QLatin1Char('/') + relative;
}

QString TempDir::write(const QString& relative, const QByteArray& bytes) const
{
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile out(target);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        out.write(bytes);
    }
    return target;
}

QString TempDir::virtualPath() const
{
    QString path = QStringLiteral("z:") + path_;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return path + QLatin1Char('\\');
}
