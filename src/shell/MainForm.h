#pragma once

#include "CommandDispatcher.h"
#include "ElementStates.h"
#include "InterfaceDescription.h"
#include "MyControl.h"
#include "ShellSettings.h"
#include "StartupContext.h"
#include "WindowDrag.h"

#include <QByteArray>
#include <QRegion>
#include <QWidget>
#include <memory>

class InstanceLock;
class Registry;
class TPanelBkgrd;
class TPictureStream;
class TReadBin;
class TScreenPictures;
class TShellComponents;
class TWindowAnimation;

// The skinned main window: start-up in its modes, the shaped and painted face
// of the current screen, the mouse behaviour of its elements, and shutdown.
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

    void NotePressPosition(QPoint globalPos) override;
    bool FollowWindowDrag(QPoint globalPos) override;
    bool EndWindowDrag() override;
    void FormMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift,
                       QPoint point) override;
    void FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point) override;
    void FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point) override;
    void ExecuteCommand(QString& command, QString& sound, int index, int kind, int silent) override;
    void FormPaint(QPainter& painter);

    // The start-up asked the program to end (before or during the message loop).
    bool TerminationRequested() const { return terminationRequested_; }
    int ExitCode() const { return exitCode_; }
    bool ViewerMode() const { return viewerMode_; }
    bool HelpMode() const { return helpMode_; }
    int ExitButton() const { return exitButton_; }
    bool IntroClipDeclared() const { return introClipDeclared_; }
    bool ClickSoundsDeclared() const { return clickSoundsDeclared_; }

    TInterfaceDescription& Interface() { return interface_; }
    TElementStates& States() { return states_; }
    TScreenPictures& Pictures() { return *pictures_; }
    TWindowAnimation& Animation() { return *animation_; }
    TShellSettings& Settings() { return settings_; }
    TPanelBkgrd* PanelBkgrd() const { return panelBkgrd_; }
    TShellComponents& Components() { return *components_; }
    const TReadBin* ResourceBin() const { return resourceBin_; }
    const TStartupContext& Context() const { return context_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Start-up steps (MainFormStartup.cpp).
    void RunStartup();
    bool OpenInterfaceArchive();
    void ReadSystemFolders();
    bool OpenResourceBin();
    bool ReadStructLines();
    bool ApplyWindowPolygon();
    bool ClaimSingleInstance();
    void ShowFirstScreenBackground();
    void BuildFirstScreen();
    void AddDiscFonts();
    void CreateContentComponents();
    void NoteDeclaredOptions();
    bool IntroClipRequested() const;
    void RequestTermination(int exitCode);
    void EndStartup(const QString& reason);
    void OnAnimationFinished(bool closing);

    // Shutdown steps (MainFormShutdown.cpp).
    void PlayExitSound();
    void RemoveDiscFonts();
    void CloseWindowsCaptioned(const QString& caption, bool all);

    void HideAllPopups() override;

    // TElementHost and TCommandHost.
    int CurrentScreen() const override;
    void CrossFade(TElementKind kind, int index, TStatePicture from, TStatePicture to) override;
    void CopyPicture(TElementKind kind, int index, TStatePicture picture) override;
    void StartWindowDrag() override;
    QString DiskTitle() const override;
    QString AppDir() const override;
    bool ClickSoundsOn() const override;
    void SetExitButton(int index) override;
    void MinimizeApplication() override;
    void ClearButtonStates(int index) override;

    Registry& Store() const;

    TStartupContext context_;
    TInterfaceDescription interface_;
    TElementStates states_;
    TCommandDispatcher dispatcher_;
    TShellSettings settings_;
    TWindowDrag drag_;
    std::unique_ptr<TScreenPictures> pictures_;
    TWindowAnimation* animation_;
    TReadBin* resourceBin_ = nullptr;
    std::unique_ptr<TPictureStream> pictureStream_;
    std::unique_ptr<InstanceLock> instanceLock_;
    std::unique_ptr<TShellComponents> components_;
    TPanelBkgrd* panelBkgrd_ = nullptr;
    QByteArray structBuffer_;
    TDynamicStringArray structLines_;
    QRegion shape_;
    QPoint pressGlobal_;
    int exitButton_ = -1;
    int exitCode_ = 0;
    bool shaped_ = false;
    bool viewerMode_ = false;
    bool helpMode_ = false;
    bool thesaurusMode_ = false;
    bool terminationRequested_ = false;
    bool destroyed_ = false;
    bool introClipDeclared_ = false;
    bool clickSoundsDeclared_ = false;
};
