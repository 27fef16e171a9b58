#pragma once

#include "components/MediaComponents.h"
#include "interface/InterfaceRecords.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <random>

class TSlidePicture;
class QWidget;

// What the main window hands the slide show. Empty functions read as the settings' defaults.
struct TSlideShowContext {
    QWidget* MainWindow = nullptr;
    TDynamicImageArray Images;
    std::function<int()> CurrentScreen;
    std::function<bool()> RunSlideShow; // the timer runs (default off)
    std::function<int()> SlideShowTime; // seconds between pictures, 1 to 10 (default 5)
    std::function<int()> ImageSequence; // 0 forward, 1 backward, other values random
    // Mouse moves over a picture end the hover states of the window's buttons.
    std::function<void()> EndButtonHover;
};

// The picture areas of the screens with their picture lists (the bitmaps, then the JPEG
// pictures of each area's folder, read once) and the slide show timer. One picture index is
// shared by all areas; "nextpic", "prevpic" and the timer change the picture of the area
// shown last. No list is ever read outside its bounds: an index a list does not have shows
// nothing new.
class TSlideImage final : public ISlideShow {
public:
    explicit TSlideImage(TSlideShowContext context);
    ~TSlideImage() override;

    // Shows the areas of the current screen, hides those of the screen shown before.
    void ShowScreenPictures() override;
    void NextPicture() override;
    void PreviousPicture() override;
    // One step of the slide show in the order the settings ask for.
    void SlideTick();

    // The options dialog: the timer runs at once, whatever screen is shown, or stops.
    void SetTimerRunning(bool running) override;
    // Seconds between pictures, kept between 1 and 10; a running timer takes it at once.
    void SetInterval(int seconds) override;

    int ImageCount() const { return int(images_.size()); }
    TSlidePicture* Image(int element) const;
    const QStringList& PictureList(int element) const { return pictureLists_.at(element); }
    int ImageScreen(int element) const { return imageScreens_.at(element); }
    int CurrentElement() const { return currentElement_; }
    int PictureIndex() const { return pictureIndex_; }
    int LastScreen() const { return lastScreen_; }
    const QTimer& SlideTimer() const { return slideTimer_; }

private:
    int CurrentScreen() const;
    bool RunSlideShow() const;
    int ListLength(int element) const;
    void LoadPicture(int element);
    void UpdateTimerForScreen(bool areaShown, bool areaLeft);
    void EnableTimer();

    TSlideShowContext context_;
    QList<QPointer<TSlidePicture>> images_;
    QList<int> imageScreens_;
    QList<QStringList> pictureLists_;
    int currentElement_ = 0;
    int pictureIndex_ = 0;
    int lastScreen_ = -1;
    QTimer slideTimer_;
    std::mt19937 random_;
};

// The slide show of the interface's picture areas; null when it has none.
std::unique_ptr<TSlideImage> CreateSlideShow(const TSlideShowContext& context);
