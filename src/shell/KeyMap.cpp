#include "shell/KeyMap.h"

#include "shell/HelpTopics.h"
#include "shell/ThesaurusWindow.h"

TKeyMap::TKeyMap(TCommandHost& host, TComponentSet& components, THelpTopics& help,
                 TThesaurusWindow& thesaurus)
    : host_(host), components_(components), help_(help), thesaurus_(thesaurus)
{
}

Qt::KeyboardModifiers TKeyMap::Exact(Qt::KeyboardModifiers shift)
{
    return shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

bool TKeyMap::FormKeyDown(TKeySender sender, int key, Qt::KeyboardModifiers shift)
{
    if (host_.ViewerMode() || host_.HelpMode()) {
        if (key != Qt::Key_Escape) {
            return false;
        }
        host_.TerminateApplication();
    }
    if (key == Qt::Key_Escape) {
        Escape();
        return false;
    }
    if (key == Qt::Key_F1) {
        Help(sender);
        return false;
    }
    if (components_.PagePanels && (host_.CurrentScreen() == 1 || host_.ViewerMode())) {
        return ContentKey(key, Exact(shift));
    }
    return false;
}

// A running search stops first; a second Esc closes its dialog.
void TKeyMap::Escape()
{
    ISkinnedDialog* dialog = components_.Dialog;
    const bool dialogVisible = dialog && dialog->IsVisible();
    if (components_.FindPanel && dialogVisible) {
        if (components_.FindPanel->Idle()) {
            dialog->Close();
        } else {
            components_.FindPanel->SetIdle(true);
        }
    } else if (dialogVisible) {
        dialog->Close();
    } else if (components_.Popups) {
        components_.Popups->HideAllPopups();
    }
}

void TKeyMap::Help(TKeySender sender)
{
    if (sender == TKeySender::PrintPreview) {
        help_.ShowForPrintPreview();
    } else {
        help_.ShowForScreen();
    }
}

bool TKeyMap::ContentKey(int key, Qt::KeyboardModifiers shift)
{
    if (shift == Qt::ShiftModifier) {
        return ShiftKey(key);
    }
    if (shift == Qt::ControlModifier) {
        ControlKey(key);
    } else if (shift == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_Z) {
        PressSwitchesWithCommand(QStringLiteral("OffTree"));
    }
    return false;
}

bool TKeyMap::ShiftKey(int key)
{
    switch (key) {
    case Qt::Key_T:
        thesaurus_.Open(QString());
        break;
    case Qt::Key_Z:
        PressSwitchesWithCommand(QStringLiteral("tree1"));
        break;
    case Qt::Key_Up:
        RunSilently(QStringLiteral("prevchapter"));
        return true;
    case Qt::Key_Down:
        RunSilently(QStringLiteral("nextchapter"));
        return true;
    case Qt::Key_Home:
        RunSilently(QStringLiteral("1"));
        break;
    default:
        break;
    }
    return false;
}

void TKeyMap::ControlKey(int key)
{
    IPagePanels* panels = components_.PagePanels;
    switch (key) {
    case Qt::Key_I:
        if (components_.Favorites) {
            components_.Favorites->AddFavorite();
        }
        break;
    case Qt::Key_P:
        panels->PrintPage(QString());
        break;
    case Qt::Key_F:
        if (host_.CurrentScreen() == 1 && components_.Dialog) {
            components_.Dialog->ShowDialogPage(1, QString());
        }
        break;
    case Qt::Key_A:
        panels->SelectAll();
        break;
    default:
        break;
    }
}

// The press toggles the switch as a click would, and runs its command.
void TKeyMap::PressSwitchesWithCommand(const QString& command)
{
    const QList<TDynamicSwthOneArray>& lists = host_.Description().Switches;
    const int screen = host_.CurrentScreen();
    if (screen < 0 || screen >= lists.size()) {
        return;
    }
    const TDynamicSwthOneArray switches = lists[screen];
    for (const RSwthOne& element : switches) {
        if (element.CmdUp.compare(command, Qt::CaseInsensitive) == 0 ||
            element.CmdDown.compare(command, Qt::CaseInsensitive) == 0) {
            host_.PressAt(QPoint(element.Left + 1, element.Top + 1));
            if (host_.CurrentScreen() != screen) {
                return;
            }
        }
    }
}

void TKeyMap::RunSilently(const QString& command)
{
    QString text = command;
    QString sound;
    host_.ExecuteCommand(text, sound, 0, 0, 1);
}
