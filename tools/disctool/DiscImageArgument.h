#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class IsoImageCache;

// A disc named on the command line may be an ISO 9660 image. Its files are
// copied into a private folder of this process (below the runtime folder,
// mode 0700) for the length of the command, which then reads the copy of the
// image's program folder as a disc folder. The copy goes away with the object.
class DiscImageArgument {
public:
    DiscImageArgument();
    ~DiscImageArgument();
    DiscImageArgument(const DiscImageArgument&) = delete;
    DiscImageArgument& operator=(const DiscImageArgument&) = delete;

    // Whether any argument (other than the value of -o) names a disc image.
    static bool namesImage(const QStringList& arguments);
    // Replaces the first argument naming a disc image by the host folder of
    // its program folder's copy; false with error() when the image is
    // damaged, holds no Mev.dhl or cannot be copied out.
    bool replace(QStringList& arguments);
    const QString& error() const { return error_; }

private:
    static qsizetype imageIndex(const QStringList& arguments);

    std::shared_ptr<IsoImageCache> copy_;
    QString error_;
};
