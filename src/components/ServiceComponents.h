#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// What the shell needs of the search, dialog and installation components;
// each may be absent.

// The find-text fields with the page search behind them.
class IFindPanel {
public:
    virtual ~IFindPanel() = default;
    virtual void ShowScreenEdits() = 0;
    virtual void FindNext(int number) = 0;
    virtual void SetPageScope(bool allPages) = 0;
    virtual void SetIdle(bool idle) = 0;
    virtual bool Idle() const = 0;
    // Hides (true) or shows the current screen's fields, around the standard window.
    virtual void ShowEdits(bool /*hide*/) {}
    // The skinned dialog's mode switches: index search, contents search.
    virtual void SetIndexMode(bool /*on*/) {}
    virtual void SetContentsMode(bool /*on*/) {}
    // The titles of the last index search, and following entry k of them.
    virtual QStringList ResultTitles() const { return {}; }
    virtual void FollowResult(int /*index*/) {}
    // The search fields, in the order of their elements.
    virtual QList<QWidget*> Edits() const { return {}; }
};

// The blinking message of the status-line texts.
class IStatusLine {
public:
    virtual ~IStatusLine() = default;
    virtual void ShowStatus(const QString& text) = 0;
    virtual void ClearStatus() = 0;
};

// The progress bar of the skinned dialog's find page, filled one pixel
// column per step.
class IScaleBar {
public:
    virtual ~IScaleBar() = default;
    virtual void PrepareBar() = 0;
    virtual void StepBar() = 0;
    virtual void ResetBar() = 0;
    // Columns the bar holds, and columns filled so far.
    virtual int BarWidth() const = 0;
    virtual int FilledWidth() const = 0;
};

// The installation-folder fields of the screens.
class IPathInputs {
public:
    virtual ~IPathInputs() = default;
    virtual void ScreenChanged() = 0;
    virtual QString InstallFolder() const = 0;
    // True hides the current screen's fields while the standard window is
    // shown; false shows them again.
    virtual void ShowInStandardWindow(bool /*shown*/) {}
};

// The skinned dialog: page 0 shows a message, page 1 the search.
class ISkinnedDialog {
public:
    virtual ~ISkinnedDialog() = default;
    virtual void ShowDialogPage(int page, const QString& message) = 0;
    virtual bool IsVisible() const = 0;
    virtual void Close() = 0;
    // The find page's result list: titles, or none (the window shrinks).
    virtual void ShowResults(const QStringList& /*titles*/) {}
    // The tooltip of the find page's "findnext1" button.
    virtual void SetSearchHint(const QString& /*hint*/) {}
    // Runs a command as its buttons do; true when that closed the window.
    virtual bool RunCommand(const QString& /*command*/, const QString& /*sound*/) { return false; }
    // The window the search fields sit on while the find page shows.
    virtual QWidget* DialogWindow() { return nullptr; }
};

class IAboutBox {
public:
    virtual ~IAboutBox() = default;
    virtual void ShowModal() = 0;
};

class IOptionsWindow {
public:
    virtual ~IOptionsWindow() = default;
    virtual void ShowOptions() = 0;
};

class IFontInstaller {
public:
    virtual ~IFontInstaller() = default;
    virtual void InstallFonts() = 0;
    // The page loaded last, whose folder holds the fonts to install.
    virtual void SetPageFolder(const QString& /*page*/) {}
};

// Games and programs on the disc.
class IGames {
public:
    virtual ~IGames() = default;
    virtual void RunGame(const QString& setup, const QString& key) = 0;
    virtual void RemoveGame(const QString& key) = 0;
};

class IArchiveBrowser {
public:
    virtual ~IArchiveBrowser() = default;
    virtual void OpenArchiveBrowser(const QString& archive, const QString& originPage) = 0;
    virtual void ExtractArchive(const QString& target, bool direct) = 0;
};

// The thesaurus index of a disc folder.
class IThesaurusSearch {
public:
    virtual ~IThesaurusSearch() = default;
    virtual void SetIndexFolder(const QString& folder) = 0;
    // The page of the word, relative to the index folder.
    virtual bool FindPage(const QString& word, QString& page) = 0;
};
