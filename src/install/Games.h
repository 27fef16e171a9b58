#pragma once

#include "components/ComponentSet.h"
#include "engine/HtmlViewerTypes.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class Registry;

// What the program entry hands the game operations.
struct TGamesContext {
    // Dialog (messages), StatusLine, PathInputs (the installation folder).
    TComponentSet* Components = nullptr;
    QString WindowsDir;        // virtual, with a final backslash; holds the uninstaller
    Registry* Store = nullptr; // the process's registry when null
    // The form controls of the page in the current viewer.
    std::function<QList<FormControl>()> FormControls;
    // Runs a Windows command line (its program a virtual path) and waits
    // until it ends; false when it could not start. RunUninstallerAndWait
    // when empty.
    std::function<bool(const QString& commandLine)> RunAndWait;
};

// The games and programs of the disc: starting a game or its setup, removing
// it through the uninstaller its installer left, copying files into the
// installation folder and list entries to the clipboard. Installed games are
// found under HKEY_LOCAL_MACHINE\SOFTWARE\Venkarro\<key>.
class TGames final : public IGames {
public:
    explicit TGames(TGamesContext context);

    void RunGame(const QString& setup, const QString& key) override;
    void RemoveGame(const QString& key) override;

    // "copy:" links: the file goes into the installation folder under its own
    // name, replacing what is there. Failures stay silent.
    void CopyFileToInstallFolder(const QString& file);
    // "copylist:" links: the selected entry of the page's drop-down list of
    // that name goes to the clipboard.
    void CopyListEntry(const QString& listName);

    // Runs the uninstaller's command line under Wine, from the uninstaller's
    // own folder, and waits for it and for Wine's registry, at most ten minutes.
    static bool RunUninstallerAndWait(const QString& commandLine);

private:
    static void CopyArchiveMember(const QString& file, const QString& target,
                                  const QString& folder);
    QString ReadGameValue(const QString& key, const QString& name) const;
    bool KeyStays(const QString& key) const;
    bool RunUninstaller(const QString& folder) const;
    void ShowMessage(const QString& text) const;
    Registry& Store() const;

    TGamesContext context_;
};
