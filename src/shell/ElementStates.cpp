#include "shell/ElementStates.h"

namespace {

template <typename List> List& listOfScreen(QList<List>& lists, int screen)
{
    static List none;
    none.clear();
    return screen >= 0 && screen < lists.size() ? lists[screen] : none;
}

TStatePicture hoverPicture(bool on)
{
    return on ? TStatePicture::MoveDown : TStatePicture::MoveUp;
}

TStatePicture restPicture(bool on)
{
    return on ? TStatePicture::Down : TStatePicture::Up;
}

} // namespace

TElementStates::TElementStates(TInterfaceDescription& description, TElementHost& host)
    : description_(description), host_(host)
{
}

TDynamicBtnArray& TElementStates::buttons()
{
    return listOfScreen(description_.Buttons, host_.CurrentScreen());
}

TDynamicSwthOneArray& TElementStates::switches()
{
    return listOfScreen(description_.Switches, host_.CurrentScreen());
}

TDynamicSwthGrpArray& TElementStates::groups()
{
    return listOfScreen(description_.SwitchGroups, host_.CurrentScreen());
}

void TElementStates::ResetButtons(int buttonCount)
{
    buttons_ = QList<TBtnFlags>(qMax(0, buttonCount));
}

void TElementStates::execute(QString command, QString sound, int index, TElementKind kind,
                             int silent)
{
    host_.ExecuteCommand(command, sound, index, int(kind), silent);
}

void TElementStates::FormMouseMove(Qt::KeyboardModifiers, QPoint point)
{
    if (host_.VideoAreaContains(point)) {
        return;
    }
    moveButtons(point);
    moveSwitches(point);
    moveGroups(point);
}

void TElementStates::moveButtons(QPoint point)
{
    const TDynamicBtnArray& list = buttons();
    for (int i = 0; i < list.size() && i < buttons_.size(); ++i) {
        TBtnFlags& flags = buttons_[i];
        const bool inside = Hit(list[i], point);
        if (inside && !flags.Hover) {
            host_.CrossFade(TElementKind::Button, i, TStatePicture::Up, TStatePicture::MoveUp);
            flags.Hover = true;
        } else if (!inside && flags.Hover) {
            host_.CrossFade(TElementKind::Button, i, TStatePicture::MoveUp, TStatePicture::Up);
            flags.Hover = false;
            flags.Pressed = false;
        }
    }
}

void TElementStates::moveSwitches(QPoint point)
{
    TDynamicSwthOneArray& list = switches();
    for (int i = 0; i < list.size(); ++i) {
        RSwthOne& element = list[i];
        const bool inside = Hit(element, point);
        if (inside && !element.Hover) {
            host_.CrossFade(TElementKind::SingleSwitch, i, restPicture(element.State),
                            hoverPicture(element.State));
            element.Hover = true;
        } else if (!inside && element.Hover) {
            host_.CrossFade(TElementKind::SingleSwitch, i, hoverPicture(element.State),
                            restPicture(element.State));
            element.Hover = false;
        }
    }
}

void TElementStates::moveGroups(QPoint point)
{
    TDynamicSwthGrpArray& list = groups();
    for (int i = 0; i < list.size(); ++i) {
        RSwthGrp& element = list[i];
        const bool inside = Hit(element, point);
        if (inside && !element.Hover) {
            host_.CopyPicture(TElementKind::SwitchGroup, i, hoverPicture(element.State));
            element.Hover = true;
        } else if (!inside && element.Hover) {
            host_.CopyPicture(TElementKind::SwitchGroup, i, restPicture(element.State));
            element.Hover = false;
        }
    }
}

void TElementStates::FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                   QPoint point)
{
    host_.HideAllPopups();
    if (host_.VideoAreaContains(point)) {
        host_.VideoPress(button, point);
        return;
    }
    if (pressButton(point) || pressSwitch(shift, point) || pressGroupMember(shift, point)) {
        return;
    }
    host_.StartWindowDrag();
}

bool TElementStates::pressButton(QPoint point)
{
    const TDynamicBtnArray& list = buttons();
    for (int i = 0; i < list.size() && i < buttons_.size(); ++i) {
        if (Hit(list[i], point) && !buttons_[i].Pressed) {
            host_.CrossFade(TElementKind::Button, i, TStatePicture::MoveUp, TStatePicture::Down);
            buttons_[i].Pressed = true;
            return true;
        }
    }
    return false;
}

bool TElementStates::pressSwitch(Qt::KeyboardModifiers shift, QPoint point)
{
    TDynamicSwthOneArray& list = switches();
    for (int i = 0; i < list.size(); ++i) {
        RSwthOne& element = list[i];
        if (!Hit(element, point)) {
            continue;
        }
        const bool wasOn = element.State;
        host_.CrossFade(TElementKind::SingleSwitch, i, hoverPicture(wasOn), hoverPicture(!wasOn));
        element.State = !wasOn;
        if (!(shift & Qt::ShiftModifier)) {
            execute(wasOn ? element.CmdUp : element.CmdDown, element.Sound, i,
                    TElementKind::SingleSwitch, 0);
        }
        return true;
    }
    return false;
}

bool TElementStates::pressGroupMember(Qt::KeyboardModifiers shift, QPoint point)
{
    TDynamicSwthGrpArray& list = groups();
    for (int i = 0; i < list.size(); ++i) {
        if (!Hit(list[i], point)) {
            continue;
        }
        if (list[i].State) {
            return true;
        }
        const bool shifted = shift & Qt::ShiftModifier;
        host_.CopyPicture(TElementKind::SwitchGroup, i,
                          shifted ? TStatePicture::Down : TStatePicture::MoveDown);
        for (int other = 0; other < list.size(); ++other) {
            if (list[other].Group == list[i].Group && list[other].State) {
                host_.CopyPicture(TElementKind::SwitchGroup, other, TStatePicture::Up);
                list[other].State = false;
            }
        }
        list[i].State = true;
        if (!shifted) {
            execute(list[i].Command, list[i].Sound, i, TElementKind::SwitchGroup, 0);
        }
        return true;
    }
    return false;
}

void TElementStates::FormMouseUp(Qt::MouseButton, Qt::KeyboardModifiers shift, QPoint point)
{
    if (host_.VideoAreaContains(point)) {
        return;
    }
    const int screen = host_.CurrentScreen();
    releaseButtons(point);
    if (host_.CurrentScreen() == screen) {
        releaseGroupMembers(shift, point);
    }
}

void TElementStates::releaseButtons(QPoint point)
{
    const int screen = host_.CurrentScreen();
    for (int i = 0; i < buttons().size() && i < buttons_.size(); ++i) {
        const RBtn& element = buttons()[i];
        if (!Hit(element, point)) {
            continue;
        }
        if (!buttons_[i].Pressed) {
            host_.CrossFade(TElementKind::Button, i, TStatePicture::Down, TStatePicture::Up);
            continue;
        }
        buttons_[i].Pressed = false;
        const QString& command = element.Command;
        const bool switchesScreen = command.startsWith(QLatin1String("screen2"));
        if (switchesScreen) {
            host_.FreezeVideoForScreenSwitch();
        }
        if (!switchesScreen && command != QLatin1String("1") &&
            !command.startsWith(QLatin1String("exit"))) {
            host_.CrossFade(TElementKind::Button, i, TStatePicture::Down, TStatePicture::MoveUp);
        }
        execute(element.Command, element.Sound, i, TElementKind::Button, 0);
        if (host_.CurrentScreen() != screen) {
            return;
        }
    }
}

void TElementStates::releaseGroupMembers(Qt::KeyboardModifiers shift, QPoint point)
{
    TDynamicSwthGrpArray& list = groups();
    for (int i = 0; i < list.size(); ++i) {
        if (Hit(list[i], point)) {
            list[i].Hover = false;
            FormMouseMove(shift, point);
        }
    }
}

void TElementStates::ReplaySwitches(int screen)
{
    if (screen < 0 || screen >= description_.Switches.size()) {
        return;
    }
    for (int i = 0; i < description_.Switches[screen].size(); ++i) {
        const RSwthOne& element = description_.Switches[screen][i];
        execute(element.State ? element.CmdDown : element.CmdUp, element.Sound, i,
                TElementKind::SingleSwitch, 1);
    }
    if (screen >= description_.SwitchGroups.size()) {
        return;
    }
    for (int i = 0; i < description_.SwitchGroups[screen].size(); ++i) {
        const RSwthGrp& element = description_.SwitchGroups[screen][i];
        if (element.State) {
            execute(element.Command, element.Sound, i, TElementKind::SwitchGroup, 1);
        }
    }
}
