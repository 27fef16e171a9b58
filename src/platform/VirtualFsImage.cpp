#include "platform/HostFolder.h"
#include "platform/IsoImageCache.h"
#include "platform/VirtualFs.h"

#include <algorithm>

// The image mounts of VirtualFs: what is answered from an image's index.

std::optional<VirtualFs::OnImage> VirtualFs::onImage(const QString& virtualPath) const
{
    const std::optional<Located> located = split(virtualPath);
    if (!located || !located->image) {
        return std::nullopt;
    }
    return OnImage{located->image, located->image->image().find(located->below)};
}

VirtualFs::Entry VirtualFs::imageEntry(const IsoImage& image, int node)
{
    const IsoImage::Node& found = image.node(node);
    Entry entry;
    entry.name = found.name;
    entry.isFolder = found.isFolder;
    entry.isHidden = found.name.startsWith(QLatin1Char('.'));
    entry.isReadOnly = true;
    entry.size = found.size;
    entry.modified = found.modified;
    return entry;
}

std::optional<QList<VirtualFs::Entry>> VirtualFs::listImage(const OnImage& at)
{
    const IsoImage& image = at.image->image();
    if (!at.node || !image.node(*at.node).isFolder) {
        return std::nullopt;
    }
    QList<Entry> entries;
    for (const int child : image.node(*at.node).children) {
        entries.append(imageEntry(image, child));
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return HostFolder::codePointLess(a.name, b.name);
    });
    return entries;
}

bool VirtualFs::isOnImage(const QString& virtualPath) const
{
    return onImage(virtualPath).has_value();
}

std::optional<QString> VirtualFs::imageFileOf(const QString& virtualPath) const
{
    const std::optional<OnImage> at = onImage(virtualPath);
    return at ? std::optional(at->image->image().path()) : std::nullopt;
}

bool VirtualFs::extractFolder(const QString& virtualFolder) const
{
    const std::optional<OnImage> at = onImage(virtualFolder);
    if (!at) {
        return true;
    }
    return at->node && at->image->image().node(*at->node).isFolder &&
           at->image->extractTree(*at->node);
}
