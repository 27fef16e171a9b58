#include "SourcePacker.h"

#include "ConfigSource.h"
#include "HostFiles.h"
#include "data/PackedArchive.h"
#include "platform/BoundedRead.h"
#include "platform/CodePage.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

bool SourcePacker::checkFolder(const QString& hostFolder)
{
    error_.clear();
    fileCount_ = 0;
    if (!QFileInfo(hostFolder).isDir()) {
        error_ = QStringLiteral("%1 is not a folder").arg(hostFolder);
        return false;
    }
    return true;
}

std::optional<QByteArray> SourcePacker::readFile(const QString& hostPath)
{
    std::optional<QByteArray> bytes = BoundedRead::read(hostPath, ReadKind::Page);
    if (!bytes) {
        error_ = QStringLiteral("cannot read %1").arg(hostPath);
    }
    return bytes;
}

bool SourcePacker::addResource(BinWriter& writer, const QString& relativePath,
                               const QString& hostPath)
{
    std::optional<QByteArray> bytes = readFile(hostPath);
    if (!bytes) {
        return false;
    }
    QString name = relativePath;
    name.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (ConfigSource::isSource(name)) {
        QString encodeError;
        bytes = ConfigSource::encode(*bytes, encodeError);
        if (!bytes) {
            error_ = QStringLiteral("%1: %2").arg(hostPath, encodeError);
            return false;
        }
        name = ConfigSource::encodedName(name);
    }
    if (!writer.addEntry(name, *bytes)) {
        error_ = QStringLiteral("%1: %2").arg(hostPath, writer.errorString());
        return false;
    }
    return true;
}

std::optional<BinWriter> SourcePacker::packResources(const QString& hostFolder)
{
    if (!checkFolder(hostFolder)) {
        return std::nullopt;
    }
    BinWriter writer;
    QHash<QString, QString> sourceByFoldedName;
    for (const HostFiles::SourceFile& file : HostFiles::sourceFiles(hostFolder)) {
        const QString folded = ConfigSource::encodedName(file.relativePath).toCaseFolded();
        if (sourceByFoldedName.contains(folded)) {
            error_ = QStringLiteral("%1 and %2 give the same entry name")
                         .arg(sourceByFoldedName.value(folded), file.relativePath);
            return std::nullopt;
        }
        sourceByFoldedName.insert(folded, file.relativePath);
        if (!addResource(writer, file.relativePath, file.hostPath)) {
            return std::nullopt;
        }
        ++fileCount_;
    }
    return writer;
}

std::optional<ArchiveWriter> SourcePacker::packArchive(const QString& hostFolder, bool compress)
{
    if (!checkFolder(hostFolder)) {
        return std::nullopt;
    }
    ArchiveWriter writer(compress);
    QHash<QByteArray, QString> sourceByStoredName;
    for (const HostFiles::SourceFile& file : HostFiles::sourceFiles(hostFolder)) {
        if (!CodePage::canEncodeCp1251(file.relativePath)) {
            error_ = QStringLiteral("%1: the name is not Windows-1251 text").arg(file.hostPath);
            return std::nullopt;
        }
        const QByteArray stored = NormalizeArchivePath(file.relativePath);
        if (sourceByStoredName.contains(stored)) {
            error_ = QStringLiteral("%1 and %2 give the same archive path")
                         .arg(sourceByStoredName.value(stored), file.relativePath);
            return std::nullopt;
        }
        sourceByStoredName.insert(stored, file.relativePath);
        const std::optional<QByteArray> bytes = readFile(file.hostPath);
        if (!bytes) {
            return std::nullopt;
        }
        if (!writer.addFile(file.relativePath, *bytes)) {
            error_ = QStringLiteral("%1: %2").arg(file.hostPath, writer.errorString());
            return std::nullopt;
        }
        ++fileCount_;
    }
    return writer;
}
