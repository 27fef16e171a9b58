#pragma once

#include "interface/InterfaceDescription.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <Qt>

// Kinds of active elements, numbered as the command dispatcher receives them.
enum class TElementKind { Button = 0, SingleSwitch = 1, SwitchGroup = 2 };

// The state pictures of an element. Buttons use Up, Move (their "mv") and Down.
enum class TStatePicture { Up = 0, MoveUp = 1, MoveDown = 2, Down = 3 };

// Run-time flags of a button of the current screen.
struct TBtnFlags {
    bool Hover = false;
    bool Pressed = false;
};

// What the state machine asks of the window it runs in.
class TElementHost {
public:
    virtual ~TElementHost() = default;
    virtual int CurrentScreen() const = 0;
    // Cross-fade the element in place from one state picture to another.
    virtual void CrossFade(TElementKind kind, int index, TStatePicture from, TStatePicture to) = 0;
    // Show a state picture at the element at once.
    virtual void CopyPicture(TElementKind kind, int index, TStatePicture picture) = 0;
    virtual void ExecuteCommand(QString& command, QString& sound, int index, int kind,
                                int silent) = 0;
    // Drag the window by the point pressed.
    virtual void StartWindowDrag() = 0;
    virtual void HideAllPopups() {}
    // The 3-D video area: moves and releases inside it are ignored, a press
    // goes to the player (which may drag the window itself).
    virtual bool VideoAreaContains(QPoint) const { return false; }
    virtual void VideoPress(Qt::MouseButton, QPoint) {}
    // A button whose command switches to the second screen was released.
    virtual void FreezeVideoForScreenSwitch() {}
};

// The mouse behaviour of buttons, single switches and switch-group members of
// the current screen: hover, press and release, with strict hit tests.
// Switch states live in the interface records; button flags here.
class TElementStates {
public:
    TElementStates(TInterfaceDescription& description, TElementHost& host);

    // A screen was built: the buttons' flags are sized and cleared.
    void ResetButtons(int buttonCount);
    QList<TBtnFlags>& ButtonFlags() { return buttons_; }

    void FormMouseMove(Qt::KeyboardModifiers shift, QPoint point);
    void FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    void FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);

    // The switches of a screen dispatch their commands silently, as their
    // states say (start-up).
    void ReplaySwitches(int screen);

    // Left < x < Right and Top < y < Bottom.
    template <typename Record> static bool Hit(const Record& element, QPoint point)
    {
        return element.Left < point.x() && point.x() < element.Right && element.Top < point.y() &&
               point.y() < element.Bottom;
    }

private:
    void moveButtons(QPoint point);
    void moveSwitches(QPoint point);
    void moveGroups(QPoint point);
    bool pressButton(QPoint point);
    bool pressSwitch(Qt::KeyboardModifiers shift, QPoint point);
    bool pressGroupMember(Qt::KeyboardModifiers shift, QPoint point);
    void releaseButtons(QPoint point);
    void releaseGroupMembers(Qt::KeyboardModifiers shift, QPoint point);
    void execute(QString command, QString sound, int index, TElementKind kind, int silent);

    TDynamicBtnArray& buttons();
    TDynamicSwthOneArray& switches();
    TDynamicSwthGrpArray& groups();

    TInterfaceDescription& description_;
    TElementHost& host_;
    QList<TBtnFlags> buttons_;
};
