#pragma once

#include "components/ComponentSet.h"
#include "interface/InterfaceRecords.h"

#include <QString>
#include <functional>

class QImage;
class QWidget;
class Registry;

// What the contents tree is made with; the functions stay valid as long as
// the main window lives.
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

// What the popup menus are made with; valid as long as the main window
// lives.
struct TPopupsContext {
    QWidget* MainWindow = nullptr;
    QList<TDynamicPopupArray> Popups; // per screen
    // A picture of the resource container; null when missing.
    std::function<QImage(const QString& name)> ReadPicture;
    TComponentSet* Components = nullptr;
    std::function<int()> CurrentScreen;
    std::function<void(QString& command, QString& sound, int index, int kind, int silent)>
        ExecuteCommand;
    // The favorites come and go with the screen that has a favorites list.
    std::function<void(IFavorites* favorites)> SetFavorites;
    QString SettingsKey;       // SOFTWARE\Pallidrome\<DiskTitle> under the current user
    Registry* Store = nullptr; // the process's registry when null
};

// What the find-text panel is made with; valid as long as the main window
// lives.
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
