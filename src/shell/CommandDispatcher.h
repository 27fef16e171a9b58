#pragma once

#include <QString>

// What the dispatcher needs of the shell window.
class TCommandHost {
public:
    virtual ~TCommandHost() = default;
    virtual QString DiskTitle() const = 0;
    virtual QString AppDir() const = 0;
    virtual bool ClickSoundsOn() const = 0;
    // The button whose "exit" closed the program (played at shutdown).
    virtual void SetExitButton(int index) = 0;
    virtual void MinimizeApplication() = 0;
    // Clears a button's hover and pressed states and shows its up picture.
    virtual void ClearButtonStates(int index) = 0;
    // A playing 3-D clip holds its frame before the window closes.
    virtual void FreezeVideoForExit() {}
};

// Performs a command of a button, switch, link, popup item, key or other
// instance: drops it while Busy() is set, closes the shell on "exit", plays
// the element's click sound and runs the first matching row of the command
// table. Element kinds: 0 button, 1 single switch, 2 switch group; silent 1
// marks requests of the program itself (no click sound).
class TCommandDispatcher {
public:
    explicit TCommandDispatcher(TCommandHost& host);

    void ExecuteCommand(QString& command, QString& sound, int index, int kind, int silent);

private:
    void Exit(int index, int kind);
    void PlayClickSound(const QString& sound, int silent);
    // The command table; false when no row matched.
    bool RunTable(const QString& command, int index, int kind);

    TCommandHost& host_;
};
