#pragma once

#include "components/ServiceComponents.h"
#include "interface/InterfaceRecords.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class QLineEdit;
class QWidget;
class Registry;

// What the program entry hands the installation-folder fields.
struct TPathInputContext {
    QWidget* MainWindow = nullptr; // parent of the fields
    TDynamicPathInputArray Records;
    std::function<int()> CurrentScreen;
    QString SettingsKey;       // SOFTWARE\Pallidrome\<DiskTitle> under the current user
    Registry* Store = nullptr; // the process's registry when null
    // The main window's mouse-move handler at (-1, -1): hover states end.
    std::function<void()> EndButtonHover;
};

// The installation-folder fields of the screens: one borderless edit field
// per record, shown on its screen only. Their texts come from the per-user
// settings ("PathInstall" + index) and go back there when the box is
// destroyed; edits in between stay in the fields.
class TPathInputBox final : public QObject, public IPathInputs {
public:
    explicit TPathInputBox(TPathInputContext context);
    ~TPathInputBox() override;
    TPathInputBox(const TPathInputBox&) = delete;
    TPathInputBox& operator=(const TPathInputBox&) = delete;

    void ScreenChanged() override;
    // The first field of the current screen with a final backslash; empty
    // when the screen has none.
    QString InstallFolder() const override;
    void ShowInStandardWindow(bool shown) override;

    // A folder typed as a host path ("/home/me/Games", "~/Games", "~") is
    // the same folder seen through "z:\", with a final backslash
    // ("z:\home\me\Games\"); any other text stays as typed.
    static QString FolderOfText(const QString& text);

    // The fields in the order of the records (null once the window is gone).
    QList<QLineEdit*> FolderEdits() const;
    const QList<int>& EditScreens() const { return editScreens_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* CreateEdit(const RPathInput& record, const QString& text);
    QString StoredText(int index, const QString& fallback) const;
    static QString AcceptedDefault(const QString& pathDef);
    void ShowFolderOf(int field);
    void SetScreenVisible(int screen, bool visible);
    void WriteSettings() const;
    int Screen() const;
    Registry& Store() const;
    static QString ValueName(int index);

    TPathInputContext context_;
    QList<QPointer<QLineEdit>> folderEdits_;
    QList<int> editScreens_;
    // The fields' texts, kept here so that they can be stored even after the
    // main window has destroyed the fields.
    QStringList texts_;
    int lastScreen_ = -1;
};
