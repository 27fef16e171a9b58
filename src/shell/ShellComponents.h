#pragma once

#include "ComponentFactories.h"
#include "ComponentSet.h"

#include <QString>
#include <memory>

class QLabel;
class TAboutBox;
class TCoolDialog;
class TFormOptions;
class TGames;
class TScaleBar;
class TStatusLine;
class TTextMsg;
class QPainter;
class TMainForm;

// The components the skinned window owns besides its face, each created by the
// start-up in its place and called by the shutdown; the dispatcher reaches
// them through Set(). Those not built yet are named here and do nothing, so
// that their callers are already in place: the thesaurus window, the options
// window, codecs, status line, fonts installer, music, find-text fields, path
// boxes, clip player, slide show, popups, contents tree, scale bar, intro
// clip, 3-D video, about box and skinned dialog. The dialogs and the media
// of the screens are created here; components of modules the shell does not
// know come from the factories the program entry installs.
class TShellComponents {
public:
    explicit TShellComponents(TMainForm& form);
    ~TShellComponents();

    // The thesaurus window; false while the mode is not available.
    bool RunThesaurusMode();

    // Installed by the program entry before the start-up.
    TComponentFactories& Factories() { return factories_; }

    // Start-up, in the order the window calls them.
    void InstallDeactivationHandler();
    void CreateOptionsWindow(bool hasPictureAreas);
    void InstallCodecs(const QString& codecRequest, bool clipOn);
    void CreateStatusLine();
    void CreateFontInstaller();
    void CreateMusicPlayer();
    void CreateVolumeEvent();
    void CreateTextMessages();
    // The page panels of the interface description on the main window and,
    // on the content screen, the background panel.
    void CreatePagePanels();
    void CreatePagePanels(const TDynamicHTMLArray& records, QWidget* backgroundPanel);
    void CreateFindText();
    void CreatePathInputs();
    void CreateClipPlayer();
    void CreateSlideShow();
    void CreatePopups();
    void CreateContentsTree();
    void CreateScaleBar();
    void CreateGifAnimator();
    void EnableOptionChecks(bool introClipDeclared, bool clickSoundsDeclared);
    // True when the intro clip plays; its window then continues the start-up.
    bool PlayIntroClip();
    void StartMusic();
    void CreateSkinnedDialog();

    // Running.
    void PaintTextMessages(QPainter& painter);
    // The text element of the number (-1: the status-line texts).
    void SetTextMessage(const QString& text, int number);
    void HideAllPopups();
    // The animated picture runs on every screen but the content screen.
    void ShowGifAnimation(bool shown);

    // Shutdown.
    void ReleaseVideoPlayer();
    void CloseAboutBox();
    void CloseSkinnedDialog();
    void StopMusic();
    void FreeComponents();

    // The games of the disc (copying into the installation folder too).
    TGames* Games() const { return games_.get(); }

    // The small animated picture of the start screen; null when it has no picture.
    QLabel* GifAnimator() const { return gifAnimator_; }

    // The components that exist, for the dispatcher and the screen switch.
    TComponentSet& Set() { return set_; }
    // The standard window's view of the page panels; null without panels.
    IStandardPage* StandardPage() const;

private:
    IAboutBox* CreateAboutBox();
    std::function<QImage(const QString&)> PictureReader() const;
    TPagePanelsContext PagePanelsContext(const TDynamicHTMLArray& records,
                                         QWidget* backgroundPanel);

    TMainForm& form_;
    TComponentFactories factories_;
    TComponentSet set_;
    std::unique_ptr<IPagePanelsComponent> pagePanels_;
    std::unique_ptr<IContentsTree> contentsTree_;
    std::unique_ptr<IPopupController> popups_;
    std::unique_ptr<IBackgroundMusic> music_;
    std::unique_ptr<TTextMsg> textMessages_;
    std::unique_ptr<TStatusLine> statusLine_;
    std::unique_ptr<TScaleBar> scaleBar_;
    std::unique_ptr<TCoolDialog> dialog_;
    std::unique_ptr<TFormOptions> options_;
    std::unique_ptr<IFindPanel> findPanel_;
    std::unique_ptr<IClipPlayer> clipPlayer_;
    std::unique_ptr<ISlideShow> slideShow_;
    std::unique_ptr<IFontInstaller> fontInstaller_;
    std::unique_ptr<TAboutBox> aboutBox_;
    std::unique_ptr<IPathInputs> pathInputs_;
    std::unique_ptr<TGames> games_;
    QLabel* gifAnimator_ = nullptr;
};
