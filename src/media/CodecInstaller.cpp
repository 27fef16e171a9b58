#include "media/CodecInstaller.h"

#include "platform/Processes.h"
#include "platform/Refusal.h"
#include "platform/VirtualFs.h"
#include "platform/WritePolicy.h"

namespace {

const QLatin1String IndeoCodec("Ir50_32.dll");
const QLatin1String Mp3Codec("L3codecp.acm");
const QLatin1String Registrar("Regsvr32.exe");

// The MPEG driver's files of the NT family: source in "Resource", target
// in the system folder.
struct TDriverFile {
    const char* Source;
    const char* Target;
};
const TDriverFile DriverFiles[] = {
    {"Xmdrivnt.dll", "Xmdriver.dll"},
    {"Xmres.dll", "Xmres.dll"},
    {"Xmsound.dll", "Xmsound.dll"},
    {"Xmvideo.dll", "Xmvideo.dll"},
};

} // namespace

TCodecInstaller::TCodecInstaller(TCodecInstallerContext context) : context_(std::move(context)) {}

void TCodecInstaller::InstallRequested(const QString& codecRequest, bool clipOn)
{
    if (codecRequest.contains(QLatin1String("indeo5")) && clipOn) {
        InstallIndeoCodec();
    }
    if (codecRequest.contains(QLatin1String("mpegaudio"))) {
        InstallMp3Codec();
    }
}

void TCodecInstaller::InstallIndeoCodec()
{
    if (!CanInstall(IndeoCodec)) {
        return;
    }
    CopyWhenMissing(IndeoCodec);
    Processes::Open(context_.AppDir + QStringLiteral("Resource\\") + Registrar,
                    QStringLiteral("/s ") + context_.SystemDir + IndeoCodec);
}

void TCodecInstaller::InstallMp3Codec()
{
    if (CanInstall(Mp3Codec)) {
        CopyWhenMissing(Mp3Codec);
    }
}

void TCodecInstaller::InstallMpegDriver()
{
    if (!CanInstall(QStringLiteral("the MPEG video driver"))) {
        return;
    }
    for (const TDriverFile& file : DriverFiles) {
        CopyFromResource(QLatin1String(file.Source), QLatin1String(file.Target));
    }
}

bool TCodecInstaller::CanInstall(const QString& what) const
{
    if (context_.WinePrefixExists && context_.WinePrefixExists()) {
        return true;
    }
    Refusal::log(QStringLiteral("a codec installation (no Wine prefix)"), what);
    return false;
}

// A file the disc lacks is skipped, as a copy that cannot be made.
bool TCodecInstaller::CopyFromResource(const QString& source, const QString& target) const
{
    return WritePolicy::copyFile(context_.AppDir + QStringLiteral("Resource\\") + source,
                                 context_.SystemDir + target, QString());
}

void TCodecInstaller::CopyWhenMissing(const QString& file) const
{
    if (!VirtualFs::instance().exists(context_.SystemDir + file)) {
        CopyFromResource(file, file);
    }
}
