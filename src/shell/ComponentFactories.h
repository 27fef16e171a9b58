#pragma once

#include "ComponentSet.h"
#include "HtmlViewerTypes.h"
#include "InterfaceRecords.h"
#include "WindowRegistry.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;
class Registry;

// What the standard window needs of the page panels besides IPagePanels: the
// current viewer's history for the toolbar and its menus, the layouts, and
// the size of the picture shown.
class IStandardPage {
public:
    virtual ~IStandardPage() = default;
    // Titles of the history entries, newest first, and the entry shown.
    virtual QStringList HistoryTitles() const = 0;
    virtual int HistoryIndex() const = 0;
    virtual void GoToHistory(int index) = 0;
    virtual bool CanGoBack() const = 0;
    virtual bool CanGoForward() const = 0;
    // The current viewer fills its parent, or goes back on its panel.
    virtual void SetStandardLayout() = 0;
    virtual void SetSkinnedLayout() = 0;
    // The picture the viewer laid out last; empty when none.
    virtual QSize LastPictureSize() const = 0;
};

// The page panels as the content makes them for the shell.
class IPagePanelsComponent {
public:
    virtual ~IPagePanelsComponent() = default;
    virtual IPagePanels& Panels() = 0;
    virtual IStandardPage& StandardPage() = 0;
};

// What the shell hands the page panels' factory. The functions stay valid as
// long as the main window lives.
struct TPagePanelsContext {
    QWidget* MainWindow = nullptr;
    QWidget* BackgroundPanel = nullptr; // null in the file viewer
    TDynamicHTMLArray Panels;
    QString AppDir;
    QString CdRoot;
    QString SettingsKey;
    Registry* Store = nullptr; // the process's registry when null
    TWindowHandle WindowHandle = 0;
    TComponentSet* Components = nullptr;

    std::function<int()> CurrentScreen;
    std::function<void(QString& command, QString& sound, int index, int kind, int silent)>
        ExecuteCommand;
    // A left press with Shift at a window point: toggles a switch without its command.
    std::function<void(QPoint point)> ShiftPressAt;
    // Hover states of the buttons end.
    std::function<void()> EndButtonHover;
    std::function<bool()> StandardWindowShown;
    std::function<void(const QString& text)> SetStatusBarText;
    // After every history change of a viewer.
    std::function<void()> UpdateHistoryLists;
    // The text element of a number (the page title is number 1).
    std::function<void(const QString& text, int number)> SetTextMessage;
    // The help the print preview offers (F1 and its help button).
    std::function<void()> PrintPreviewHelp;
};

// What the shell hands the contents tree's factory; the functions stay valid
// as long as the main window lives.
struct TContentsTreeContext {
    QWidget* BackgroundPanel = nullptr;
    QWidget* Splitter = nullptr; // the background panel's bar beside the tree
    TDynamicStringArray Lines;   // the decoded outline, letter case kept
    QString AppDir;
    TComponentSet* Components = nullptr;
    std::function<int()> CurrentScreen;
    // Hover states of the buttons end.
    std::function<void()> EndButtonHover;
    // The tooltip of every button of the current screen with this command.
    std::function<void(const QString& command, const QString& hint)> SetCommandHint;
};

// What the shell hands the popup menus' factory; valid as long as the main
// window lives.
struct TPopupsContext {
    QWidget* MainWindow = nullptr;
    QList<TDynamicPopupArray> Popups; // per screen
    // A picture of the resource container; null when missing.
    std::function<QImage(const QString& name)> ReadPicture;
    TComponentSet* Components = nullptr;
    std::function<int()> CurrentScreen;
    std::function<void(QString& command, QString& sound, int index, int kind, int silent)>
        ExecuteCommand;
    QString SettingsKey;       // SOFTWARE\Pallidrome\<DiskTitle> under the current user
    Registry* Store = nullptr; // the process's registry when null
};

// What the shell hands the find-text panel's factory; valid as long as the
// main window lives.
struct TFindPanelContext {
    QWidget* MainWindow = nullptr;
    TDynamicFindTxtArray Records;
    QString AppDir;      // virtual program folder, with trailing backslash
    QString ArchiveBase; // the program's folder without its "run\" level
    bool ThesaurusMode = false;
    TComponentSet* Components = nullptr; // Dialog, StatusLine, ScaleBar, Tree, PagePanels
    std::function<int()> CurrentScreen;
    // The commands "caseon"/"caseoff" set it.
    std::function<bool()> CaseSensitive;
    // Hover states of the main window's buttons end.
    std::function<void()> EndButtonHover;
};

// What the shell hands the background music's factory.
struct TMusicContext {
    QString AppDir;
    QStringList SongList; // relative to AppDir
    QString SettingsKey;
    Registry* Store = nullptr;
    // A song that cannot be played turns the music off for this run only.
    std::function<void()> TurnMusicOff;
};

// How the shell gets the components that live in modules it does not know.
// The program entry installs them before the start-up; an empty factory means
// the component does not exist.
struct TComponentFactories {
    std::function<std::unique_ptr<IPagePanelsComponent>(const TPagePanelsContext& context)>
        PagePanels;
    std::function<std::unique_ptr<IContentsTree>(const TContentsTreeContext& context)> ContentsTree;
    std::function<std::unique_ptr<IPopupController>(const TPopupsContext& context)> Popups;
    std::function<std::unique_ptr<IFindPanel>(const TFindPanelContext& context)> FindPanel;
    std::function<std::unique_ptr<IBackgroundMusic>(const TMusicContext& context)> Music;
    // The form controls of the page in the current viewer ("copylist:").
    std::function<QList<FormControl>()> CurrentFormControls;
};
