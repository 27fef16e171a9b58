#pragma once

#include "components/ServiceComponents.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// What the archive browser is made with; the functions stay valid while it
// lives. Paths are the program's virtual paths.
struct TArchiveBrowserContext {
    QString TempDir; // with trailing backslash
    QLocale Locale = QLocale::system();
    // The current page panel: whether it shows a listing, and its flag.
    std::function<bool()> IsArchiveMode;
    std::function<void(bool on)> SetArchiveMode;
    // Shows a page in the current page panel.
    std::function<void(const QString& page)> ShowPage;
    // The skinned dialog in message mode.
    std::function<void(const QString& text)> ShowMessage;
    // Pending window messages, between the entries of a long unpacking.
    std::function<void()> ProcessEvents;
    // The clock of the page names; the system's when empty.
    std::function<QDateTime()> Now;
};

// The archive browser: lists an archive as pages in a folder "as_..." of the
// temporary folder, one per archive folder, shown in a two-frame page;
// unpacks the archive listed last into the listing folder (a link followed
// in a listing) or into the installation folder ("unarc"); and keeps track
// of which pages are listings.
class TUnRar final : public IArchiveBrowser {
public:
    explicit TUnRar(TArchiveBrowserContext context);
    // The listings of this run go.
    ~TUnRar() override;
    TUnRar(const TUnRar&) = delete;
    TUnRar& operator=(const TUnRar&) = delete;

    void OpenArchiveBrowser(const QString& archive, const QString& originPage) override;
    void ExtractArchive(const QString& target, bool direct) override;
    // After every page load: a listing turns the panel's flag on, a page an
    // archive was opened from turns it off.
    void UpdateArchiveMode(const QString& page);
    // Removes every folder "as_*" of the temporary folder with its files.
    void CleanListings();

    const QString& ArchivePath() const { return archivePath_; }
    const QString& ListingFolder() const { return listingFolder_; }
    const QStringList& ListingPages() const { return listingPages_; }
    const QStringList& OriginPages() const { return originPages_; }
    // How often an archive was read for a listing (the second opening of one
    // shows its pages again without reading it).
    int ListingsRead() const { return listingsRead_; }

private:
    void ListArchive(const QString& path, const QString& origin);
    bool WriteListing(const QString& frameset);
    std::optional<QString> Destination(const QString& target, bool direct) const;
    QString FreeSubfolder(const QString& destination) const;
    void ShowMessage(const QString& text) const;
    QString HostOf(const QString& path) const;

    TArchiveBrowserContext context_;
    QString archivePath_;
    QString listingFolder_;
    QStringList listingPages_;
    QStringList originPages_;
    bool cleaned_ = false;
    int listingsRead_ = 0;
};
