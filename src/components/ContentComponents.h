#pragma once

#include "interface/InterfaceRecords.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

// What the command dispatcher, the key map, the instance messages and the
// screen switch need of the content components. Each is optional: the shell
// holds a pointer that stays null while the component does not exist.

// The HTML page panels of the screens.
class IPagePanels {
public:
    virtual ~IPagePanels() = default;
    virtual void ScreenChanged() = 0;
    virtual void RememberCommandPage(const QString& page) = 0;
    virtual void OpenInPanel(int number, const QString& page) = 0;
    // Steps in the history, keeping the current screen's switches in step.
    virtual void GoBack(TDynamicSwthOneArray& switches, TDynamicSwthGrpArray& groups) = 0;
    virtual void GoForward(TDynamicSwthOneArray& switches, TDynamicSwthGrpArray& groups) = 0;
    virtual void OpenFile(const QString& page) = 0;
    virtual void CopyPage() = 0;
    // Print preview of the file, or of the current page when file is empty.
    virtual void PrintPage(const QString& file) = 0;
    virtual void ScrollToTop() = 0;
    virtual void NextChapter() = 0;
    virtual void PrevChapter() = 0;
    virtual void SelectAll() = 0;
    virtual bool IsArchiveMode() const = 0;
    // The current viewer: the full name of its document, loading a complete
    // file name, hiding and showing it, and its alignment on the background
    // panel while the contents tree appears beside it.
    virtual QString CurrentDocument() const = 0;
    virtual void LoadInCurrentViewer(const QString& file) = 0;
    virtual bool CurrentViewerShown() const = 0;
    virtual void HideCurrentViewer() = 0;
    virtual void ShowCurrentViewer() = 0;
    virtual void ReleaseViewerAlignment() = 0;
    virtual void FillPanelWithViewer() = 0;
    // A picture print requested by another program.
    virtual void SetPicturePrint(bool on) = 0;
    virtual void SetPictureWidth(int width) = 0;
    virtual void SetPictureHeight(int height) = 0;
    // What the popup menus and favorites need of the current viewer: its
    // history, its page's title and scroll position, its selection, and the
    // default font dialog.
    virtual QString HistoryFile(int index) const = 0;
    virtual void GoToHistory(int index) = 0;
    virtual QString CurrentTitle() const = 0;
    virtual int CurrentPosition() const = 0;
    virtual void SetCurrentPosition(int position) = 0;
    virtual void CopySelection() = 0;
    virtual void ChooseDefaultFont() = 0;
};

// The contents tree of the second screen.
class IContentsTree {
public:
    virtual ~IContentsTree() = default;
    virtual void SetScreenStartFile(const QString& page) = 0;
    virtual void SyncWithScreen() = 0;
    virtual void SelectNodeOfPage(const QString& target) = 0;
    virtual void SetHiddenByCommand(bool hide) = 0;
    virtual bool TreeHidden() const = 0;
    virtual void SetScreenHidden(bool hidden) = 0;
    virtual void HideTree() = 0;
    virtual void ShowTree() = 0;
    virtual int TreeWidth() const = 0;
    // Opens the page of the next node, after the focused one and round
    // again, whose caption contains text; false when none does.
    virtual bool FindCaption(const QString& text) = 0;
    // After every page change: the tooltips of the chapter buttons name the
    // chapters they lead to.
    virtual void UpdateChapterHints() = 0;
};

// The skinned popup menus; types -1 to -4 are the history and favorites lists.
// The item operations act on the first popup of the type on the current
// screen; a missing popup or item makes them do nothing.
class IPopupController {
public:
    virtual ~IPopupController() = default;
    virtual void RebuildPopups() = 0;
    virtual void ShowPopup(int type, QPoint screenPoint) = 0;
    virtual void HideAllPopups() = 0;
    virtual void SetItemCount(int count, int type) = 0;
    virtual void AppendItem(const QString& caption, const QString& command, int type) = 0;
    virtual void SetItem(const QString& caption, const QString& command, int type, int index) = 0;
    virtual void ShowItem(bool visible, int type, int index) = 0;
};

class IFavorites {
public:
    virtual ~IFavorites() = default;
    virtual void AddFavorite() = 0;
};

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
