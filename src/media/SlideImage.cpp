#include "media/SlideImage.h"

#include "data/FindFiles.h"
#include "media/SlideImagePicture.h"

#include <algorithm>

namespace {

constexpr int defaultSlideSeconds = 5;
constexpr int minSlideSeconds = 1;
constexpr int maxSlideSeconds = 10;

enum ImageSequence { Forward = 0, Backward = 1 };

// The bitmaps of the folder, then its ".jpg" and its ".jpeg" pictures, each group in the
// order the folder lists them.
QStringList PicturesOf(const QString& folder)
{
    TDynamicStringArray masks = {QStringLiteral("*.bmp"), QStringLiteral("*.jpg"),
                                 QStringLiteral("*.jpeg")};
    TDynamicStringArray pictures;
    FindFiles(folder, masks, false, false, pictures);
    return pictures;
}

QRect BoundsOf(const RImage& record)
{
    return QRect(record.Left, record.Top, std::max(0, record.Right - record.Left),
                 std::max(0, record.Bottom - record.Top));
}

int IntervalMs(int seconds)
{
    return std::clamp(seconds, minSlideSeconds, maxSlideSeconds) * 1000;
}

} // namespace

TSlideImage::TSlideImage(TSlideShowContext context)
    : context_(std::move(context)), random_(std::random_device{}())
{
    for (const RImage& record : context_.Images) {
        auto* picture = new TSlidePicture(context_.MainWindow, context_.EndButtonHover);
        picture->setGeometry(BoundsOf(record));
        picture->hide();
        images_.append(picture);
        imageScreens_.append(record.Screen);
        pictureLists_.append(PicturesOf(record.Dir));
    }
    const int seconds = context_.SlideShowTime ? context_.SlideShowTime() : defaultSlideSeconds;
    slideTimer_.setInterval(IntervalMs(seconds));
    QObject::connect(&slideTimer_, &QTimer::timeout, [this] { SlideTick(); });
    ShowScreenPictures();
}

TSlideImage::~TSlideImage()
{
    slideTimer_.stop();
    for (const QPointer<TSlidePicture>& picture : images_) {
        delete picture.data();
    }
}

TSlidePicture* TSlideImage::Image(int element) const
{
    return element >= 0 && element < images_.size() ? images_.at(element).data() : nullptr;
}

int TSlideImage::CurrentScreen() const
{
    return context_.CurrentScreen ? context_.CurrentScreen() : 0;
}

bool TSlideImage::RunSlideShow() const
{
    return context_.RunSlideShow && context_.RunSlideShow();
}

int TSlideImage::ListLength(int element) const
{
    return element >= 0 && element < pictureLists_.size() ? int(pictureLists_.at(element).size())
                                                          : 0;
}

// An index the element's list does not have leaves the picture as it is.
void TSlideImage::LoadPicture(int element)
{
    TSlidePicture* picture = Image(element);
    if (picture && pictureIndex_ >= 0 && pictureIndex_ < ListLength(element)) {
        picture->LoadFromFile(pictureLists_.at(element).at(pictureIndex_));
    }
}

void TSlideImage::ShowScreenPictures()
{
    const int screen = CurrentScreen();
    bool areaShown = false;
    bool areaLeft = false;
    for (int i = 0; i < images_.size(); ++i) {
        TSlidePicture* picture = Image(i);
        if (imageScreens_.at(i) == screen) {
            areaShown = true;
            currentElement_ = i;
            if (picture) {
                picture->show();
                if (!picture->HasPicture()) {
                    LoadPicture(i);
                }
            }
        }
        if (imageScreens_.at(i) == lastScreen_ && lastScreen_ != screen) {
            areaLeft = true;
            if (picture) {
                picture->hide();
            }
        }
    }
    UpdateTimerForScreen(areaShown, areaLeft);
    lastScreen_ = screen;
}

// The timer runs while a screen with a picture area is shown; leaving such a screen for one
// with an area of its own keeps it running, and its countdown goes on.
void TSlideImage::UpdateTimerForScreen(bool areaShown, bool areaLeft)
{
    if (!RunSlideShow()) {
        return;
    }
    if (areaShown) {
        EnableTimer();
    } else if (areaLeft) {
        slideTimer_.stop();
    }
}

void TSlideImage::NextPicture()
{
    ++pictureIndex_;
    if (pictureIndex_ > ListLength(currentElement_) - 1) {
        pictureIndex_ = 0;
    }
    LoadPicture(currentElement_);
}

// Below the first picture comes the last; an index beyond the end of this list (left there
// by a longer list) also goes to its last picture.
void TSlideImage::PreviousPicture()
{
    const int last = ListLength(currentElement_) - 1;
    --pictureIndex_;
    if (pictureIndex_ < 0 || pictureIndex_ > last) {
        pictureIndex_ = std::max(0, last);
    }
    LoadPicture(currentElement_);
}

void TSlideImage::SlideTick()
{
    const int sequence = context_.ImageSequence ? context_.ImageSequence() : Forward;
    if (sequence == Forward) {
        NextPicture();
    } else if (sequence == Backward) {
        PreviousPicture();
    } else if (const int length = ListLength(currentElement_); length > 0) {
        pictureIndex_ = std::uniform_int_distribution<int>(0, length - 1)(random_);
        LoadPicture(currentElement_);
    }
}

// A running timer keeps its countdown: it is only started when it stands.
void TSlideImage::EnableTimer()
{
    if (!slideTimer_.isActive()) {
        slideTimer_.start();
    }
}

void TSlideImage::SetTimerRunning(bool running)
{
    if (running) {
        EnableTimer();
    } else {
        slideTimer_.stop();
    }
}

void TSlideImage::SetInterval(int seconds)
{
    slideTimer_.setInterval(IntervalMs(seconds));
}

std::unique_ptr<TSlideImage> CreateSlideShow(const TSlideShowContext& context)
{
    if (context.Images.isEmpty() || !context.MainWindow) {
        return nullptr;
    }
    return std::make_unique<TSlideImage>(context);
}
