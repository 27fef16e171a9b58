#pragma once

#include "components/ComponentSet.h"
#include "components/ShellSettings.h"
#include "components/WindowComponents.h"
#include "interface/InterfaceDescription.h"
#include "shell/CommandDispatcher.h"
#include "shell/DroppedFiles.h"
#include "shell/ElementStates.h"
#include "shell/InstanceMessages.h"
#include "shell/KeyMap.h"
#include "shell/MyControl.h"
#include "shell/StartupContext.h"
#include "shell/WindowDrag.h"

#include <QByteArray>
#include <QRegion>
#include <QWidget>
#include <memory>

class InstanceLock;
class QTimer;
class Registry;
class TPanelBkgrd;
class TPictureStream;
class TReadBin;
class TScreenPictures;
class TStandardWindow;
class TWindowAnimation;

// The skinned main window: start-up in its modes, the shaped and painted face
// of the current screen, the mouse behaviour of its elements, commands, keys,
// dropped files, the messages of other instances, and shutdown.
class TMainForm : public QWidget,
                  public TMouseForwardTarget,
                  private TElementHost,
                  private TCommandHost {
    Q_OBJECT
public:
    explicit TMainForm(const TStartupContext& context, QWidget* parent = nullptr);
    ~TMainForm() override;

    void FormCreate();
    void ContinueStartup();
    void FormDestroy();
    void CloseFamilyWindows();
    // The program entry's last step before the message loop.
    void CreateSkinnedDialog();

    // The sizeable, decorated window with a toolbar (MainFormStandard.cpp):
    // the file viewer's only face, and the skinned window's after "standartwin".
    void ShowStandardWindow();
    void LeaveStandardWindow();
    bool StandardWindowShown() const;
    // Null until the standard window is first shown.
    TStandardWindow* StandardWindow() const { return standardWindow_; }
    // After every history change of a page viewer, and when the standard
    // window is shown: its buttons, history menus and caption.
    void UpdateHistoryLists();
    void FillHistoryPopups();
    // The tooltip of every button of the current screen whose command is
    // command (letter case aside), until the screen is built anew.
    void SetCommandHint(const QString& command, const QString& hint);
    // The file the standard window was shown for.
    const QString& CurrentFile() const { return currentFile_; }
    const QRegion& SavedRegion() const { return savedRegion_; }

    void NotePressPosition(QPoint globalPos) override;
    bool FollowWindowDrag(QPoint globalPos) override;
    bool EndWindowDrag() override;
    void FormMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift,
                       QPoint point) override;
    void FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point) override;
    void FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point) override;
    void ExecuteCommand(QString& command, QString& sound, int index, int kind, int silent) override;
    bool FormKeyDown(TKeySender sender, int key, Qt::KeyboardModifiers shift);
    void FormPaint(QPainter& painter);
    void SwitchScreen(int screen, int index, int kind) override;

    // The start-up asked the program to end (before or during the message loop).
    bool TerminationRequested() const { return terminationRequested_; }
    int ExitCode() const { return exitCode_; }
    bool ViewerMode() const override { return viewerMode_; }
    bool HelpMode() const override { return helpMode_; }
    int ExitButton() const { return exitButton_; }
    bool IntroClipDeclared() const { return introClipDeclared_; }
    bool ClickSoundsDeclared() const { return clickSoundsDeclared_; }
    TWindowHandle WindowHandle() const override { return windowHandle_; }

    TInterfaceDescription& Interface() { return interface_; }
    TElementStates& States() { return states_; }
    TScreenPictures& Pictures() { return *pictures_; }
    TWindowAnimation& Animation() { return *animation_; }
    TShellSettings& Settings() { return settings_; }
    bool ThesaurusWindow() const { return thesaurusMode_; }
    TPanelBkgrd* PanelBkgrd() const { return panelBkgrd_; }
    // The components that exist, filled by whoever creates them.
    TComponentSet& Components() { return set_; }
    // Installed by the program entry before FormCreate; it stays valid as
    // long as the window lives, or until it is taken back with null.
    void SetComponents(IWindowComponents* components)
    {
        components_ = components ? components : &noComponents_;
    }
    TInstanceMessages& Messages() { return messages_; }
    TDroppedFiles& Drops() { return drops_; }
    QTimer* RestartTimer() const { return restartTimer_; }
    const TReadBin* ResourceBin() const { return resourceBin_; }
    const TStartupContext& Context() const { return context_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up steps (MainFormStartup.cpp).
    void RunStartup();
    void InstallDeactivationHandler();
    bool OpenInterfaceArchive();
    void ReadSystemFolders();
    bool OpenResourceBin();
    bool ReadStructLines();
    bool ApplyWindowPolygon();
    bool ClaimSingleInstance();
    void BuildFirstScreen();
    void AddDiscFonts();
    void CreateContentComponents();
    void NoteDeclaredOptions();
    bool IntroClipRequested() const;
    void RequestTermination(int exitCode);
    void EndStartup(const QString& reason);
    void OnAnimationFinished(bool closing);

    // The thesaurus window (MainFormThesaurus.cpp).
    void BuildThesaurusWindow();
    void ReadThesaurusDescription(const QString& page);
    bool ClaimThesaurusLock();

    // The file viewer and the standard window (MainFormStandard.cpp).
    void RunViewerMode();
    void EnterStandardFace();
    void LeaveStandardFace();
    void LayOutStandardWindow();
    void SizeAndPlaceStandardWindow();
    void ToolButtonClick(int position);

    // Screens (MainFormSwitch.cpp): the face of a screen, shared by the
    // start-up and the switch, and the steps of the switch.
    void BuildScreen(int screen);
    void ReleaseIssuer(int index, int kind);
    void TellComponentsScreenChanged(int screen);
    void ShowBackgroundPanelForScreen(int screen);
    void ReplayScreenSwitches(int screen);
    void StartRestartTimerIfHeld(int screen);
    void StopRestartTimer();

    // Shutdown steps (MainFormShutdown.cpp).
    void PlayExitSound();
    void RemoveDiscFonts();
    void CloseWindowsCaptioned(const QString& caption, bool all);

    // TElementHost and TCommandHost (MainFormHost.cpp).
    void HideAllPopups() override;
    int CurrentScreen() const override;
    void CrossFade(TElementKind kind, int index, TStatePicture from, TStatePicture to) override;
    void CopyPicture(TElementKind kind, int index, TStatePicture picture) override;
    void StartWindowDrag() override;
    void FreezeVideoForScreenSwitch() override;
    bool VideoAreaContains(QPoint point) const override;
    void VideoPress(Qt::MouseButton button, QPoint point) override;
    QString DiskTitle() const override;
    QString AppDir() const override;
    TInterfaceDescription& Description() override { return interface_; }
    bool ThesaurusMode() const override { return thesaurusMode_; }
    QString ViewerFile() const override { return viewerFile_; }
    bool ClickSoundsOn() const override;
    bool ResourceExists(const QString& name) const override;
    QWidget* Window() override { return this; }
    void SetExitButton(int index) override;
    void MinimizeApplication() override;
    void ClearButtonStates(int index) override;
    void TerminateApplication() override;
    void PressAt(QPoint point) override;
    bool BackgroundMusicOn() const override;
    void SetBackgroundMusic(bool on) override;
    void SetCaseSensitive(bool on) override;
    QPoint MapToScreen(QPoint windowPoint) const override;
    QPoint CursorPosition() const override;
    void PlaceSplitter(int x) override;

    Registry& Store() const;

    TStartupContext context_;
    TInterfaceDescription interface_;
    TElementStates states_;
    TComponentSet set_;
    IWindowComponents noComponents_;
    IWindowComponents* components_ = &noComponents_;
    TCommandDispatcher dispatcher_;
    TKeyMap keyMap_;
    TInstanceMessages messages_;
    TDroppedFiles drops_;
    TShellSettings settings_;
    TWindowDrag drag_;
    std::unique_ptr<TScreenPictures> pictures_;
    TWindowAnimation* animation_;
    TReadBin* resourceBin_ = nullptr;
    std::unique_ptr<TPictureStream> pictureStream_;
    std::unique_ptr<InstanceLock> instanceLock_;
    TPanelBkgrd* panelBkgrd_ = nullptr;
    QTimer* restartTimer_ = nullptr;
    QByteArray structBuffer_;
    TDynamicStringArray structLines_;
    QRegion shape_;
    QRegion savedRegion_;
    QRect savedPanelGeometry_;
    TStandardWindow* standardWindow_ = nullptr;
    QString currentFile_;
    QPoint pressGlobal_;
    QString viewerFile_;
    TWindowHandle windowHandle_ = 0;
    int exitButton_ = -1;
    int exitCode_ = 0;
    int switchDepth_ = 0;
    bool shaped_ = false;
    bool viewerMode_ = false;
    bool helpMode_ = false;
    bool thesaurusMode_ = false;
    bool terminationRequested_ = false;
    bool destroyed_ = false;
    bool introClipDeclared_ = false;
    bool clickSoundsDeclared_ = false;
};
