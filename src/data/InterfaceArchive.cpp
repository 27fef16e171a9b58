#include "data/PackedArchive.h"
#include "platform/VirtualFs.h"

#include <cstdio>
#include <cstdlib>

// The one archive the program reads its content from, and the damage rule:
// a damaged member or directory ends the program with a one-line message
// unless a handler was installed.

namespace {

void reportAndExit(const QString& message)
{
    std::fprintf(stderr, "discshell: damaged archive: %s\n", qPrintable(message));
    std::fflush(stderr);
    std::_Exit(3);
}

std::function<void(const QString&)>& damageHandler()
{
    static std::function<void(const QString&)> handler = reportAndExit;
    return handler;
}

} // namespace

PackedArchive& InterfaceArchive()
{
    static PackedArchive archive;
    return archive;
}

bool OpenArchive(const QString& path)
{
    return InterfaceArchive().OpenArchive(path);
}

void SetArchiveBase(const QString& folder)
{
    InterfaceArchive().SetArchiveBase(folder);
}

int FindMember(const QString& path)
{
    return InterfaceArchive().FindMember(path);
}

int ReadMember(int entryIndex, QBuffer& stream)
{
    const int result = InterfaceArchive().ReadMember(entryIndex, stream);
    if (result == PackedArchive::Damaged) {
        ReportArchiveDamage(InterfaceArchive().errorString());
    }
    return result;
}

int MemberToStream(const QString& path, QBuffer& stream)
{
    const int index = FindMember(path);
    return index < 0 ? -1 : ReadMember(index, stream);
}

bool FileOrMemberExists(const QString& path)
{
    return FindMember(path) >= 0 || VirtualFs::instance().fileExists(path);
}

TDynamicStringArray ListArchive()
{
    return InterfaceArchive().ListArchive();
}

void SetArchiveDamageHandler(std::function<void(const QString& message)> handler)
{
    damageHandler() = handler ? std::move(handler) : reportAndExit;
}

void ReportArchiveDamage(const QString& message)
{
    damageHandler()(message);
}
