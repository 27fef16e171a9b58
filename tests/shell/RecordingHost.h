#pragma once

// A shell window for the dispatcher, key map and message tests: three
// screens whose buttons, switches and groups are given by the tests, and a
// log of what the window was asked to do.

#include "RecordingComponents.h"
#include "components/CommandHost.h"

namespace shelltest {

class RecordingHost : public TCommandHost {
public:
    explicit RecordingHost(CallLog& calls) : log(calls)
    {
        description.Buttons.resize(3);
        description.Switches.resize(3);
        description.SwitchGroups.resize(3);
        description.ScreenBackgrounds.resize(3);
        description.HelpWinFile = QStringLiteral("справка.htm");
    }

    QString DiskTitle() const override { return QStringLiteral("Демонстрационный диск"); }
    QString AppDir() const override { return appDir; }
    TInterfaceDescription& Description() override { return description; }
    int CurrentScreen() const override { return screen; }
    bool ThesaurusMode() const override { return thesaurusMode; }
    bool ViewerMode() const override { return viewerMode; }
    bool HelpMode() const override { return helpMode; }
    QString ViewerFile() const override { return viewerFile; }
    bool ClickSoundsOn() const override { return soundsOn; }
    bool ResourceExists(const QString& name) const override { return resources.contains(name); }
    QWidget* Window() override { return nullptr; }
    TWindowHandle WindowHandle() const override { return handle; }

    void ExecuteCommand(QString& command, QString& sound, int index, int kind, int silent) override
    {
        log.add("Execute", command, sound, index, kind, silent);
    }
    void SwitchScreen(int to, int index, int kind) override
    {
        log.add("SwitchScreen", to, index, kind);
        screen = to;
    }
    void SetExitButton(int index) override { log.add("ExitButton", index); }
    void MinimizeApplication() override { log.add("Minimize"); }
    void ClearButtonStates(int index) override { log.add("ClearButton", index); }
    void TerminateApplication() override { log.add("Terminate"); }
    void PressAt(QPoint point) override { log.add("PressAt", point); }
    bool BackgroundMusicOn() const override { return music; }
    void SetBackgroundMusic(bool on) override
    {
        log.add("BGSound", on);
        music = on;
    }
    void SetCaseSensitive(bool on) override { log.add("CaseSensitive", on); }
    QPoint MapToScreen(QPoint point) const override { return point + QPoint(1000, 2000); }
    QPoint CursorPosition() const override { return QPoint(7, 9); }
    void PlaceSplitter(int x) override { log.add("Splitter", x); }

    // A button of a screen at (left, top)-(right, bottom).
    void addButton(int on, const QString& command, QRect rect)
    {
        RBtn button;
        button.Left = rect.left();
        button.Top = rect.top();
        button.Right = rect.right() + 1;
        button.Bottom = rect.bottom() + 1;
        button.Command = command;
        description.Buttons[on] << button;
    }
    void addSwitch(int on, const QString& up, const QString& down, bool state, QPoint at)
    {
        RSwthOne element;
        element.Left = at.x();
        element.Top = at.y();
        element.CmdUp = up;
        element.CmdDown = down;
        element.State = state;
        description.Switches[on] << element;
    }

    CallLog& log;
    TInterfaceDescription description;
    QString appDir = QStringLiteral("d:\\run\\");
    QStringList resources;
    QString viewerFile;
    TWindowHandle handle = 0;
    int screen = 1;
    bool thesaurusMode = false;
    bool viewerMode = false;
    bool helpMode = false;
    bool soundsOn = true;
    bool music = false;
};

} // namespace shelltest
