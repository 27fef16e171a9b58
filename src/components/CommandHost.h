#pragma once

#include "interface/InterfaceDescription.h"
#include "platform/WindowRegistry.h"

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;

// What the command dispatcher, the key map and the instance messages need of
// the shell window.
class TCommandHost {
public:
    virtual ~TCommandHost() = default;

    virtual QString DiskTitle() const = 0;
    virtual QString AppDir() const = 0;
    virtual TInterfaceDescription& Description() = 0;
    virtual int CurrentScreen() const = 0;
    virtual bool ThesaurusMode() const = 0;
    virtual bool ViewerMode() const = 0;
    virtual bool HelpMode() const = 0;
    // The file a file-viewer instance was started with.
    virtual QString ViewerFile() const = 0;
    virtual bool ClickSoundsOn() const = 0;
    virtual bool ResourceExists(const QString& name) const = 0;
    virtual QWidget* Window() = 0;
    // The main window's handle among the program's windows.
    virtual TWindowHandle WindowHandle() const = 0;

    virtual void ExecuteCommand(QString& command, QString& sound, int index, int kind,
                                int silent) = 0;
    // Builds and shows screen N; index and kind name the element whose
    // command asked for it.
    virtual void SwitchScreen(int screen, int index, int kind) = 0;
    // The button whose "exit" closed the program (its sound plays at shutdown).
    virtual void SetExitButton(int index) = 0;
    virtual void MinimizeApplication() = 0;
    // Clears a button's hover and pressed states and shows its up picture.
    virtual void ClearButtonStates(int index) = 0;
    virtual void TerminateApplication() = 0;
    // A left press without modifiers at a window point, as the mouse gives it.
    virtual void PressAt(QPoint point) = 0;

    virtual bool BackgroundMusicOn() const = 0;
    // Sets the background-music flag and stores it as "BGSound".
    virtual void SetBackgroundMusic(bool on) = 0;
    virtual void SetCaseSensitive(bool on) = 0;

    virtual QPoint MapToScreen(QPoint windowPoint) const = 0;
    virtual QPoint CursorPosition() const = 0;
    // The splitter of the background panel goes to x.
    virtual void PlaceSplitter(int x) = 0;
};
