#include "DiscImageArgument.h"

#include "platform/DiscLocation.h"
#include "platform/IsoImage.h"
#include "platform/IsoImageCache.h"

namespace {

const QString OutputOption = QStringLiteral("-o");

} // namespace

DiscImageArgument::DiscImageArgument() = default;
DiscImageArgument::~DiscImageArgument() = default;

qsizetype DiscImageArgument::imageIndex(const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == OutputOption) {
            ++i;
        } else if (IsoImage::looksLikeImage(arguments.at(i))) {
            return i;
        }
    }
    return -1;
}

bool DiscImageArgument::namesImage(const QStringList& arguments)
{
    return imageIndex(arguments) >= 0;
}

bool DiscImageArgument::replace(QStringList& arguments)
{
    const qsizetype index = imageIndex(arguments);
    if (index < 0) {
        return true;
    }
    const QString path = arguments.at(index);
    auto image = std::make_shared<IsoImage>();
    if (!image->open(path)) {
        error_ = image->errorString();
        return false;
    }
    const std::optional<QString> appDir = DiscLocation::imageAppDir(*image);
    if (!appDir) {
        error_ = QStringLiteral("%1: no folder of the image holds Mev.dhl").arg(path);
        return false;
    }
    copy_ = IsoImageCache::createPrivate(image);
    if (!copy_ || !copy_->extractTree(IsoImage::Root)) {
        error_ = QStringLiteral("%1: the files of the image could not be copied out").arg(path);
        return false;
    }
    QString folder = copy_->folder();
    if (appDir->size() > 3) {
        folder += QLatin1Char('/') + appDir->mid(3).chopped(1);
    }
    arguments[index] = folder;
    return true;
}
