#pragma once

#include "components/ContentComponents.h"
#include "components/MediaComponents.h"
#include "components/ServiceComponents.h"

#include <QString>
#include <functional>
#include <memory>

// The components of the skinned window as the dispatcher, the key map, the
// screen switch, the instance messages and the components themselves reach
// them. The window holds the set; the program entry makes each component,
// owns it and puts it here while it exists. A null pointer or an empty
// function means the component does not exist, and every command that needs
// it does nothing.
struct TComponentSet {
    IPagePanels* PagePanels = nullptr;
    IContentsTree* Tree = nullptr;
    IPopupController* Popups = nullptr;
    IFavorites* Favorites = nullptr;
    IFindPanel* FindPanel = nullptr;
    IStatusLine* StatusLine = nullptr;
    IScaleBar* ScaleBar = nullptr;
    IPathInputs* PathInputs = nullptr;
    IClipPlayer* ClipPlayer = nullptr;
    ISlideShow* SlideShow = nullptr;
    IBackgroundMusic* Music = nullptr;
    ISkinnedDialog* Dialog = nullptr;
    IOptionsWindow* Options = nullptr;
    IFontInstaller* FontInstaller = nullptr;
    IGames* Games = nullptr;
    IArchiveBrowser* ArchiveBrowser = nullptr; // not built yet
    // Created on first use ("3d", "about") and kept until shutdown; the
    // 3-D clip is not built yet.
    IVideoPlayer* VideoPlayer = nullptr;
    IAboutBox* AboutBox = nullptr;

    std::function<IVideoPlayer*()> CreateVideoPlayer;
    std::function<IAboutBox*()> CreateAboutBox;
    // A search object for one thesaurus look-up; the thesaurus is not built yet.
    std::function<std::unique_ptr<IThesaurusSearch>()> CreateThesaurusSearch;
    // Shows the topic of the help file in the help viewer.
    std::function<void(const QString& helpFile, const QString& topic)> ShowHelp;
    // Turns the skinned window into the standard resizable window.
    std::function<void()> ShowStandardWindow;
};
