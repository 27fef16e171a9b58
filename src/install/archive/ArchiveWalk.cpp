#include "install/archive/ArchiveWalk.h"

#include "install/archive/ArchiveDestination.h"
#include "install/archive/ArchivePaths.h"

TArchiveWalk::TArchiveWalk(QString archiveName, QString hostPath, MessageFunction message)
    : archiveName_(std::move(archiveName)), hostPath_(std::move(hostPath)),
      message_(std::move(message))
{
}

QString TArchiveWalk::OpenMessage(int result, const QString& archive)
{
    switch (result) {
    case TArchiveReader::NoMemory:
        return QStringLiteral("Not enough memory to initialize data structures");
    case TArchiveReader::BadData:
        return archive + QStringLiteral(": archive header broken");
    case TArchiveReader::BadArchive:
        return QStringLiteral("Файл ") + archive + QStringLiteral(" не является RAR архивом.");
    case TArchiveReader::OpenError:
        return QStringLiteral("Cannot open ") + archive;
    default:
        return QString();
    }
}

QString TArchiveWalk::ProcessMessage(int result, const QString& entry)
{
    switch (result) {
    case TArchiveReader::BadData:
        return QStringLiteral("У файла ") + entry + QStringLiteral(" ошика контрольной суммы.");
    case TArchiveReader::BadArchive:
        return QStringLiteral("Volume is not valid RAR archive");
    case TArchiveReader::UnknownFormat:
        return QStringLiteral("Unknown archive format");
    case TArchiveReader::CreateError:
        return QStringLiteral("File ") + entry + QStringLiteral(" create error");
    case TArchiveReader::CloseError:
        return QStringLiteral("File ") + entry + QStringLiteral(" close error");
    case TArchiveReader::ReadError:
        return QStringLiteral("Read error");
    case TArchiveReader::WriteError:
        return QStringLiteral("Write error");
    case TArchiveReader::Refused:
        return QStringLiteral("Файл ") + entry +
               QStringLiteral(" зашифрован паролем и не распакован.");
    case TArchiveReader::NoSpace:
        return QStringLiteral("Недостаточно места на диске для файла ") + entry +
               QStringLiteral(".");
    default:
        return QString();
    }
}

QString TArchiveWalk::BrokenHeaderMessage(const QString& entry)
{
    return QStringLiteral("У файла: ") + entry + QStringLiteral(" испорчен заголовок.");
}

QString TArchiveWalk::MissingVolumeMessage(const QString& volume)
{
    return QStringLiteral("Том ") + volume + QStringLiteral(" не найден.");
}

// A failure that a missing later volume explains names the volume.
void TArchiveWalk::ShowFailure(const TArchiveReader& reader, const QString& text, int kind)
{
    if (reader.MissingVolume().isEmpty()) {
        Show(text, kind);
    } else {
        Show(MissingVolumeMessage(VolumePath(reader.MissingVolume())), VolumeKind);
    }
}

// A later volume lies beside the first one.
QString TArchiveWalk::VolumePath(const QString& volume) const
{
    const QString folder = ArchivePaths::FolderOf(archiveName_);
    return folder.isEmpty() ? volume : folder + QLatin1Char('\\') + volume;
}

// The first message of each kind; a hostile archive of many bad entries
// does not become a storm of messages.
void TArchiveWalk::Show(const QString& text, int kind)
{
    if (!shownKinds_.contains(kind) && message_) {
        shownKinds_.insert(kind);
        message_(text);
    }
}

bool TArchiveWalk::Open(TArchiveReader& reader)
{
    const TArchiveReader::TResult result = reader.Open(hostPath_);
    if (result != TArchiveReader::Success) {
        Show(OpenMessage(result, archiveName_), OpenKind);
        return false;
    }
    return true;
}

// A header that cannot be read before any entry is the archive's own
// header; a later one names the last entry read. A missing later volume
// explains either.
void TArchiveWalk::EndOfHeaders(int result, const TArchiveReader& reader, const QString& lastName)
{
    whole_ = whole_ && result == TArchiveReader::EndArchive;
    if (result == TArchiveReader::EndArchive) {
        return;
    }
    if (!reader.MissingVolume().isEmpty()) {
        Show(MissingVolumeMessage(VolumePath(reader.MissingVolume())), VolumeKind);
    } else if (result == TArchiveReader::BadData) {
        Show(BrokenHeaderMessage(lastName), HeaderKind);
    }
}

std::optional<QList<RArchiveHeader>> TArchiveWalk::ReadEntries()
{
    TArchiveReader reader;
    if (!Open(reader)) {
        return std::nullopt;
    }
    whole_ = true;
    QList<RArchiveHeader> entries;
    RArchiveHeader header;
    TArchiveReader::TResult result;
    while ((result = reader.ReadHeader(header)) == TArchiveReader::Success) {
        entries.append(header);
        const TArchiveReader::TResult skipped = reader.Skip();
        if (skipped != TArchiveReader::Success) {
            whole_ = false;
            ShowFailure(reader, ProcessMessage(skipped, header.Name), skipped);
            return entries;
        }
    }
    if (entries.isEmpty() && result == TArchiveReader::BadData) {
        whole_ = false;
        ShowFailure(reader, OpenMessage(result, archiveName_), OpenKind);
        return std::nullopt;
    }
    EndOfHeaders(result, reader, header.Name);
    return entries;
}

bool TArchiveWalk::ExtractAll(const QString& destinationHost, const std::function<void()>& between)
{
    TArchiveReader reader;
    if (!Open(reader)) {
        return false;
    }
    whole_ = true;
    RArchiveHeader header;
    TArchiveReader::TResult result;
    bool any = false;
    while ((result = reader.ReadHeader(header)) == TArchiveReader::Success) {
        any = true;
        if (!ExtractEntry(reader, header, destinationHost)) {
            whole_ = false;
            return true;
        }
        if (between) {
            between();
        }
    }
    if (!any && result == TArchiveReader::BadData) {
        whole_ = false;
        ShowFailure(reader, OpenMessage(result, archiveName_), OpenKind);
        return true;
    }
    EndOfHeaders(result, reader, header.Name);
    return true;
}

// False when the walk cannot go on. An entry refused here (a name leading
// outside the destination, a link, an encrypted file) is skipped with its
// message, and the next one follows.
bool TArchiveWalk::ExtractEntry(TArchiveReader& reader, const RArchiveHeader& header,
                                const QString& destinationHost)
{
    const std::optional<QString> target = ArchiveDestination::Check(destinationHost, header.Name);
    if (!target) {
        whole_ = false;
        Show(ProcessMessage(TArchiveReader::CreateError, header.Name), TArchiveReader::CreateError);
        return reader.Skip() == TArchiveReader::Success;
    }
    const TArchiveReader::TResult result = reader.Extract(*target);
    switch (result) {
    case TArchiveReader::Success:
        return true;
    case TArchiveReader::CreateError:
    case TArchiveReader::CloseError:
    case TArchiveReader::Refused:
        whole_ = false;
        Show(ProcessMessage(result, header.Name), result);
        return true;
    default:
        whole_ = false;
        ShowFailure(reader, ProcessMessage(result, header.Name), result);
        return false;
    }
}
