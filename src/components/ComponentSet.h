#pragma once

#include "components/ContentComponents.h"
#include "components/MediaComponents.h"
#include "components/ServiceComponents.h"

#include <QString>
#include <functional>
#include <memory>

// The components of the skinned window as the dispatcher, the key map, the
// screen switch and the instance messages reach them. The window owns each
// component; a null pointer or an empty function means the component does not
// exist, and every command that needs it does nothing.
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
    IArchiveBrowser* ArchiveBrowser = nullptr;
    // Created on first use ("3d", "about") and kept until shutdown.
    IVideoPlayer* VideoPlayer = nullptr;
    IAboutBox* AboutBox = nullptr;

    std::function<IVideoPlayer*()> CreateVideoPlayer;
    std::function<IAboutBox*()> CreateAboutBox;
    // A search object for one thesaurus look-up.
    std::function<std::unique_ptr<IThesaurusSearch>()> CreateThesaurusSearch;
    // Shows the topic of the help file in the help viewer.
    std::function<void(const QString& helpFile, const QString& topic)> ShowHelp;
    // Turns the skinned window into the standard resizable window.
    std::function<void()> ShowStandardWindow;
};
