#pragma once

#include "components/ComponentSet.h"
#include "components/WindowComponents.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

class QLabel;
class QPainter;
class QWidget;
class TAboutBox;
class TAppPagePanels;
class TCodecInstaller;
class TCoolDialog;
class TFormOptions;
class TGames;
class TMainForm;
class TScaleBar;
class TStartClip;
class TMyAviPlayer;
class TStatusLine;
class TTextMsg;
class TUnRar;
struct TContentContext;

// Every component of the skinned window besides its face: made in the
// start-up's order when the window asks, each wired to the contracts it
// needs through the window's component set, and freed at shutdown. The
// volume event does not exist yet: the commands that need it do nothing.
class TShellComponents final : public IWindowComponents {
public:
    // discHost, discRootHost: the disc that separate viewer windows open.
    // Made after the window and destroyed before it.
    TShellComponents(TMainForm& form, QString discHost, QString discRootHost);
    ~TShellComponents() override;

    // Start-up (ShellComponents.cpp).
    bool RunThesaurusMode() override;
    void CreateOptionsWindow(bool hasPictureAreas) override;
    void InstallCodecs(const QString& codecRequest, bool clipOn) override;
    void CreateServices() override;
    void CreateScreenComponents() override;
    void CreateViewerComponents(const TDynamicHTMLArray& panels) override;
    void EnableOptionChecks(bool introClipDeclared, bool clickSoundsDeclared) override;
    bool PlayIntroClip() override;
    void CreateSkinnedDialog() override;

    // Running.
    void PaintTextMessages(QPainter& painter) override;
    void ShowGifAnimation(bool shown) override;
    IStandardPage* StandardPage() const override;

    // Shutdown.
    void ReleaseVideoPlayer() override;
    void CloseDialogs() override;
    void FreeComponents() override;

    // The small animated picture of the start screen; null when it has no picture.
    QLabel* GifAnimator() const { return gifAnimator_; }
    // The page panels; null without panels.
    TAppPagePanels* PagePanels() const { return pagePanels_.get(); }

private:
    // The content (ShellComponentsContent.cpp).
    void CreatePagePanels(const TDynamicHTMLArray& records, QWidget* backgroundPanel);
    TContentContext ContentContext();
    void CreateFindText();
    void CreatePathInputs();
    void CreatePopups();
    void CreateContentsTree();

    // The dialogs and small widgets (ShellComponentsDialogs.cpp).
    void CreateStatusLine();
    void CreateTextMessages();
    void SetTextMessage(const QString& text, int number);
    void CreateScaleBar();
    IAboutBox* CreateAboutBox();
    IVideoPlayer* CreateVideoPlayer();

    // The media (ShellComponentsMedia.cpp).
    void CreateMusicPlayer();
    void CreateClipPlayer();
    void CreateSlideShow();

    TCodecInstaller& Codecs();
    std::function<void()> MpegDriverInstaller();
    void CreateFontInstaller();
    void CreateGifAnimator();

    // The archive browser and the thesaurus (ShellComponentsInstall.cpp).
    void WireThesaurusSearch();
    void CreateArchiveBrowser();
    void UpdateArchiveMode(const QString& page);
    void FreeArchiveBrowser();

    // What several components are handed alike.
    std::function<QImage(const QString&)> PictureReader() const;
    std::function<void()> EndButtonHover() const;
    static std::function<int()> CurrentScreen();
    QString SettingsKey() const;

    TMainForm& form_;
    TComponentSet& set_;
    QString discHost_;
    QString discRootHost_;
    std::unique_ptr<TAppPagePanels> pagePanels_;
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
    std::unique_ptr<TCodecInstaller> codecs_;
    std::unique_ptr<TStartClip> introClip_;
    std::unique_ptr<TMyAviPlayer> videoPlayer_;
    std::unique_ptr<TUnRar> archiveBrowser_;
    QLabel* gifAnimator_ = nullptr;
};
