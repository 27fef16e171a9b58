#pragma once

#include "platform/IsoImage.h"

#include <QMutex>
#include <QSet>
#include <QString>
#include <memory>
#include <optional>

// Host copies of the files of an IsoImage, made on demand below a private
// folder, so that every reader that wants a host path (pages, pictures, the
// media pipeline, Wine) works on a disc image unchanged. A file is copied
// once; a folder is created when it is asked for. All copies together stay
// below a budget of twice the image's size (files may share extents, and a
// hostile image must not fill the disk through them).
class IsoImageCache {
public:
    // folder: an existing folder that belongs to this cache alone; removed
    // with everything below it when removeWhenDone is set.
    IsoImageCache(std::shared_ptr<const IsoImage> image, QString folder, bool removeWhenDone);
    ~IsoImageCache();
    IsoImageCache(const IsoImageCache&) = delete;
    IsoImageCache& operator=(const IsoImageCache&) = delete;

    // A cache in a new folder of its own below the runtime folder (mode 0700),
    // removed with the cache; folders left by processes that are gone are
    // swept first. Nullptr when no folder can be made.
    static std::shared_ptr<IsoImageCache> createPrivate(std::shared_ptr<const IsoImage> image);

    const IsoImage& image() const { return *image_; }
    const QString& folder() const { return folder_; }

    // The host path of an entry of the image: a folder is created, a file
    // copied out; nullopt when that fails or the budget is spent.
    std::optional<QString> hostPath(int node);
    // Copies out every file below a folder entry (the entry itself included).
    bool extractTree(int node);

private:
    QString pathOf(int node) const;
    std::optional<QString> copyOut(int node);

    std::shared_ptr<const IsoImage> image_;
    QString folder_;
    bool removeWhenDone_;
    qint64 budget_;
    QMutex mutex_;
    QSet<int> copied_;
    qint64 copiedBytes_ = 0;
};
