#pragma once

#include "components/ComponentSet.h"
#include "engine/HtmlViewerTypes.h"
#include "platform/WindowRegistry.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <utility>

class IChapterTree;
class IViewerInstances;
class Registry;
class THtmlViewer;

// Calls from the page panels into parts of the program that own them. Each is
// optional: an empty function means the part does not exist (yet), and the
// step that needs it does nothing.
struct TContentHooks {
    // The main window's press handler: a left press with Shift at a window
    // point, which toggles a switch without running its command.
    std::function<void(QPoint point)> ShiftPressAt;
    // The main window's mouse-move handler at (-1, -1): hover states end.
    std::function<void()> EndButtonHover;

    // The status line of the skinned window, and the status bar of the
    // standard window (shown only while that window is).
    std::function<void(const QString& text)> ShowStatus;
    std::function<bool()> StandardWindowShown;
    std::function<void(const QString& text)> SetStatusBarText;

    // Told after every history change of a viewer, in this order.
    std::function<void(const QString& file)> UpdateArchiveMode;
    std::function<void(const QString& file)> SetPageFolder;
    std::function<void(const QString& text, int number)> SetTextMessage;
    std::function<void()> UpdateHistoryLists;
    std::function<void()> UpdateChapterHints;

    // Enter typed in a viewer goes to the visible find-text fields.
    std::function<void()> PassEnterToFindFields;
    // Shows the print preview of a viewer modally (unless it cannot run).
    std::function<void(THtmlViewer& viewer, bool picture, QSize pictureSize)> ShowPrintPreview;
    // The font dialog; true when closed with OK, defaults then changed.
    std::function<bool(ViewerDefaults& defaults)> ChooseFont;
    // "copy:" and "copylist:" links.
    std::function<void(const QString& file)> CopyFileToInstallFolder;
    std::function<void(const QString& listName)> CopyListEntry;
    // The save dialog of ".zip" links: a virtual file name, empty when
    // cancelled. Without it a file dialog of the desktop asks.
    std::function<QString(const QString& folder, const QString& proposedName,
                          const QString& filter)>
        AskSaveFile;
};

// What the content components need of the shell. The application fills it
// before creating them and keeps it alive as long as they live; pointers of
// components created later may be filled in later.
struct TContentContext {
    QString AppDir;      // virtual program folder, with trailing backslash
    QString CdRoot;      // drive of the program, lower-cased, with backslash
    QString SettingsKey; // SOFTWARE\Pallidrome\<DiskTitle> under the current user
    // Host folders another instance of the program is started with.
    QString DiscHost;
    QString DiscRootHost;
    Registry* Store = nullptr;      // the process's registry when null
    TWindowHandle WindowHandle = 0; // the main window among the program's windows

    TComponentSet* Components = nullptr;
    IChapterTree* ChapterTree = nullptr;   // the contents tree's when null
    IViewerInstances* Instances = nullptr; // the running instances when null

    std::function<int()> CurrentScreen;
    std::function<void(QString& command, QString& sound, int index, int kind, int silent)>
        ExecuteCommand;
    TContentHooks Hooks;

    int Screen() const { return CurrentScreen ? CurrentScreen() : 0; }
    Registry& Settings() const;

    // The shell's components; null while absent.
    IPopupController* Popups() const { return Components ? Components->Popups : nullptr; }
    IContentsTree* Tree() const { return Components ? Components->Tree : nullptr; }
    IChapterTree* Chapters() const;
    IPathInputs* PathInputs() const { return Components ? Components->PathInputs : nullptr; }
    IClipPlayer* ClipPlayer() const { return Components ? Components->ClipPlayer : nullptr; }
    IArchiveBrowser* ArchiveBrowser() const
    {
        return Components ? Components->ArchiveBrowser : nullptr;
    }
};

// Calls a hook of the context when it is there.
template <typename Hook, typename... Args> void CallHook(const Hook& hook, Args&&... args)
{
    if (hook) {
        hook(std::forward<Args>(args)...);
    }
}
