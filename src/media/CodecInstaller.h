#pragma once

#include <QString>
#include <functional>

// What the program entry hands the codec installer. Folders are virtual and
// end with a backslash.
struct TCodecInstallerContext {
    QString AppDir;    // the disc's codecs are in its "Resource" folder
    QString SystemDir; // the Windows system folder: the Wine prefix's system32
    // Whether there is a Wine prefix whose programs could load the codecs.
    std::function<bool()> WinePrefixExists;
};

// The codecs and the MPEG video driver a disc carries for the Windows
// programs on it. Our own playback never needs them, so they go only into a
// Wine prefix's system folder, every file through the write policy; without
// a prefix each operation does nothing. Wine reports the NT family, so the
// driver files are the NT ones and no ini file is touched. The class and
// machine-wide registrations that tell Windows' loaders of the files are
// accepted and dropped, as the registry store does with them.
class TCodecInstaller final {
public:
    explicit TCodecInstaller(TCodecInstallerContext context);

    // The start-up's step: "codec" holding "indeo5" (with the "Clip"
    // setting on) and "mpegaudio" name the codecs to install.
    void InstallRequested(const QString& codecRequest, bool clipOn);

    // Copies the Indeo 5 codec when the system folder lacks it and always
    // starts its registration, without waiting for it.
    void InstallIndeoCodec();
    // Copies the MPEG layer-3 codec when the system folder lacks it.
    void InstallMp3Codec();
    // Copies the MPEG video driver's files, replacing those there.
    void InstallMpegDriver();

private:
    bool CanInstall(const QString& what) const;
    bool CopyFromResource(const QString& source, const QString& target) const;
    void CopyWhenMissing(const QString& file) const;

    TCodecInstallerContext context_;
};
