#pragma once

#include "components/ServiceComponents.h"

#include <QString>
#include <QStringList>

class QFile;

// The font installer: the TrueType fonts in the folder of the page loaded
// last are copied into the fonts folder ("c:\windows\fonts\", the user's
// font folder) and made usable at once, by this program and, through a
// rescan of the font cache, by the others.
class TNavFont final : public IFontInstaller {
public:
    // windowsDir ends with a backslash.
    explicit TNavFont(const QString& windowsDir);

    void SetPageFolder(const QString& page) override;
    void InstallFonts() override;

    const QString& PageFolder() const { return pageFolder_; }
    // The fonts the last installation copied (or found in place).
    const QStringList& Installed() const { return installed_; }

private:
    enum class CopyResult { Copied, Failed, DiskFull };
    static CopyResult CopyFont(const QString& from, const QString& to);
    static CopyResult Abandon(QFile& part, const QString& target, qint64 wanted);
    void AnnounceFontChange() const;

    QString windowsDir_;
    QString pageFolder_;
    QStringList installed_;
};
