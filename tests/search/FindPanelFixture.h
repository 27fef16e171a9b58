#pragma once

#include "TempDir.h"
#include "data/ArchiveWriter.h"
#include "data/Busy.h"
#include "data/PackedArchive.h"
#include "engine/HtmlViewer.h"
#include "engine/LiteHtmlView.h"
#include "engine/LiteHtmlViewer.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"
#include "search/FindTxtHtml.h"
#include "search/index/IndexMessages.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// The dialog window: records the keys that reach it.
class FakeDialogWindow : public QWidget {
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys.append(event->key()); }
};

// The skinned dialog's find page as the panel uses it. RunCommand behaves as
// the dialog's own: "findnext" while busy stops the search, else searches.
class FakeDialog final : public ISkinnedDialog {
public:
    void ShowDialogPage(int, const QString&) override {}
    bool IsVisible() const override { return true; }
    void Close() override {}
    void ShowResults(const QStringList& titles) override { shownResults.append(titles); }
    void SetSearchHint(const QString& hint) override { hints.append(hint); }
    bool RunCommand(const QString& command, const QString& sound) override
    {
        commands.append(command + QLatin1Char('|') + sound);
        if (panel && command.startsWith(QStringLiteral("findnext"))) {
            if (Busy()) {
                panel->SetIdle(true);
            } else {
                panel->FindNext(command.mid(8).toInt());
            }
        }
        return false;
    }
    QWidget* DialogWindow() override { return &window; }

    FakeDialogWindow window;
    IFindPanel* panel = nullptr;
    QList<QStringList> shownResults;
    QStringList hints;
    QStringList commands;
};

class FakeStatusLine final : public IStatusLine {
public:
    void ShowStatus(const QString& text) override
    {
        current = text;
        shown.append(text);
    }
    void ClearStatus() override { current.clear(); }

    QString current;
    QStringList shown;
};

// A bar of width columns; filled grows by one per step, past the end too.
class FakeScaleBar final : public IScaleBar {
public:
    void PrepareBar() override {}
    void StepBar() override
    {
        ++filled;
        if (onStep) {
            onStep(filled);
        }
    }
    void ResetBar() override
    {
        stepsBeforeReset.append(filled);
        filled = 0;
    }
    int BarWidth() const override { return width; }
    int FilledWidth() const override { return filled; }

    int width = 0;
    int filled = 0;
    QList<int> stepsBeforeReset;
    std::function<void(int filled)> onStep;
};

class FakeTree final : public IContentsTree {
public:
    void SetScreenStartFile(const QString&) override {}
    void SyncWithScreen() override {}
    void SelectNodeOfPage(const QString& target) override { selectCalls.append(target); }
    void SetHiddenByCommand(bool) override {}
    bool TreeHidden() const override { return false; }
    void SetScreenHidden(bool) override {}
    void HideTree() override {}
    void ShowTree() override {}
    int TreeWidth() const override { return 0; }
    bool FindCaption(const QString& text) override
    {
        captionSearches.append(text);
        return captionFound;
    }
    void UpdateChapterHints() override {}

    bool captionFound = false;
    QStringList captionSearches;
    QStringList selectCalls;
};

// A disc at "d:\" with the program in "d:\run\" (the archive's base is "d:\",
// so archive members are named "run\..."), a main window with the page
// panel's viewer, and the fakes of the dialog, status line, bar and tree.
class FindPanelFixture : public ::testing::Test {
protected:
    static inline const QString AppDir = QStringLiteral("d:\\run\\");

    FindPanelFixture()
    {
        VirtualFs::instance().mount(QStringLiteral("d:\\"), dir.path());
        SetArchiveDamageHandler([](const QString&) {});
        IndexMessages::SetHandler(
            [this](IndexMessageKind, const QString& text) { indexMessages.append(text); });
        SetBusyHandler([this](bool busy) { busyChanges.append(busy); });
        components.Dialog = &dialog;
        components.StatusLine = &status;
        components.ScaleBar = &bar;
        components.Tree = &tree;
        mainWindow.resize(640, 480);
        viewer = CreateHtmlViewer(&mainWindow);
        viewer->resize(600, 400);
    }
    ~FindPanelFixture() override
    {
        panel.reset();
        OpenArchive(QStringLiteral("d:\\no-archive.dat"));
        VirtualFs::instance().unmount(QStringLiteral("d:\\"));
        SetArchiveDamageHandler({});
        IndexMessages::SetHandler({});
        SetBusy(false);
        SetBusyHandler({});
    }

    // relative: below "d:\run\" on the disk.
    void writePage(const QString& relative, const QString& body)
    {
        writeFile(relative, page(body));
    }
    void writeFile(const QString& relative, const QByteArray& bytes)
    {
        dir.write(QStringLiteral("run/") +
                      QString(relative).replace(QLatin1Char('\\'), QLatin1Char('/')),
                  bytes);
    }
    void removeFile(const QString& relative)
    {
        QFile::remove(dir.file(QStringLiteral("run/") +
                               QString(relative).replace(QLatin1Char('\\'), QLatin1Char('/'))));
    }
    // relative: a member path below the archive's root ("run\html\a.htm").
    void addMember(const QString& relative, const QByteArray& bytes)
    {
        ASSERT_TRUE(writer.addFile(relative, bytes)) << writer.errorString().toStdString();
    }
    void openArchive()
    {
        dir.write(QStringLiteral("run/.keep"), QByteArray());
        ASSERT_TRUE(writer.write(dir.file(QStringLiteral("run/interface.dat"))));
        ASSERT_TRUE(OpenArchive(AppDir + QStringLiteral("interface.dat")));
        SetArchiveBase(QStringLiteral("d:\\"));
    }
    static QByteArray page(const QString& body)
    {
        return CodePage::toCp1251(QStringLiteral("<html><head><title>T</title></head><body>") +
                                  body + QStringLiteral("</body></html>"));
    }
    static QByteArray lines(const QStringList& text)
    {
        return CodePage::toCp1251(text.join(QStringLiteral("\r\n")));
    }

    RFindTxt record(int number, int onScreen = 1, const QString& frame = QString())
    {
        RFindTxt find;
        find.Left = 10;
        find.Top = 20;
        find.Right = 210;
        find.Bottom = 37;
        find.Number = number;
        find.Screen = onScreen;
        find.Frame = frame;
        find.Hint = QStringLiteral("Поле %1").arg(number);
        return find;
    }
    TFindPanelContext context(const TDynamicFindTxtArray& records)
    {
        TFindPanelContext made;
        made.MainWindow = &mainWindow;
        made.Records = records;
        made.AppDir = AppDir;
        made.ArchiveBase = QStringLiteral("d:\\");
        made.ThesaurusMode = thesaurus;
        made.Components = &components;
        made.CurrentScreen = [this] { return screen; };
        made.CaseSensitive = [this] { return caseSensitive; };
        made.EndButtonHover = [this] { ++hoverEnds; };
        return made;
    }
    // The panel with one field numbered 1 on screen 1, or the records given.
    TFindTxtHtml& makePanel(TDynamicFindTxtArray records = {})
    {
        if (records.isEmpty()) {
            records.append(record(1));
        }
        panel = std::make_unique<TFindTxtHtml>(context(records), [this] { return viewer; });
        dialog.panel = panel.get();
        return *panel;
    }
    QLineEdit& edit(int field = 0) { return *static_cast<QLineEdit*>(panel->Edits().at(field)); }
    // Types text into a field and searches with the field's number.
    void search(const QString& text, int number = 1, int field = 0)
    {
        if (edit(field).text() != text) {
            edit(field).setText(text);
        }
        panel->FindNext(number);
    }
    static const LiteHtmlView& viewOf(THtmlViewer* shown)
    {
        return *static_cast<LiteHtmlViewer*>(shown)->view();
    }
    // Where the selection starts in the text of the page shown.
    static int selectionStart(THtmlViewer* shown) { return int(viewOf(shown).selection().begin); }

    TempDir dir;
    ArchiveWriter writer;
    QWidget mainWindow;
    THtmlViewer* viewer = nullptr;
    FakeDialog dialog;
    FakeStatusLine status;
    FakeScaleBar bar;
    FakeTree tree;
    TComponentSet components;
    int screen = 1;
    bool caseSensitive = false;
    bool thesaurus = false;
    int hoverEnds = 0;
    QStringList indexMessages;
    QList<bool> busyChanges;
    std::unique_ptr<TFindTxtHtml> panel;
};
