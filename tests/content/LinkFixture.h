#pragma once

#include "ContentTestDisc.h"
#include "content/LinkCommands.h"
#include "engine/HtmlViewer.h"
#include "platform/Processes.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// Fakes that write what the link commands ask of them to one log.
struct FakePanels : IPagePanels {
    QStringList& log;
    bool archive = false;
    bool shown = true;
    QString document;
    explicit FakePanels(QStringList& into) : log(into) {}
    void ScreenChanged() override {}
    void RememberCommandPage(const QString&) override {}
    void OpenInPanel(int number, const QString& page) override
    {
        log << QStringLiteral("panel %1 %2").arg(number).arg(page);
    }
    void GoBack(TDynamicSwthOneArray&, TDynamicSwthGrpArray&) override {}
    void GoForward(TDynamicSwthOneArray&, TDynamicSwthGrpArray&) override {}
    void OpenFile(const QString& page) override { log << QStringLiteral("open file ") + page; }
    void CopyPage() override {}
    void PrintPage(const QString& file) override { log << QStringLiteral("print ") + file; }
    void ScrollToTop() override {}
    void NextChapter() override {}
    void PrevChapter() override {}
    void SelectAll() override { log << QStringLiteral("select all"); }
    bool IsArchiveMode() const override { return archive; }
    QString CurrentDocument() const override { return document; }
    void LoadInCurrentViewer(const QString&) override {}
    bool CurrentViewerShown() const override { return shown; }
    void HideCurrentViewer() override {}
    void ShowCurrentViewer() override {}
    void ReleaseViewerAlignment() override {}
    void FillPanelWithViewer() override { log << QStringLiteral("fill"); }
    void SetPicturePrint(bool) override {}
    void SetPictureWidth(int) override {}
    void SetPictureHeight(int) override {}
    QString HistoryFile(int index) const override { return history.value(index); }
    void GoToHistory(int index) override { log << QStringLiteral("history %1").arg(index); }
    QString CurrentTitle() const override { return title; }
    int CurrentPosition() const override { return position; }
    void SetCurrentPosition(int at) override { log << QStringLiteral("position %1").arg(at); }
    void CopySelection() override { log << QStringLiteral("copy selection"); }
    void ChooseDefaultFont() override { log << QStringLiteral("font dialog"); }
    QStringList history;
    QString title;
    int position = 0;
};

struct FakeArchiveBrowser : IArchiveBrowser {
    QStringList& log;
    explicit FakeArchiveBrowser(QStringList& into) : log(into) {}
    void OpenArchiveBrowser(const QString& archive, const QString& origin) override
    {
        log << QStringLiteral("list %1 from %2").arg(archive, origin);
    }
    void ExtractArchive(const QString& target, bool direct) override
    {
        log << QStringLiteral("extract %1 direct %2").arg(target).arg(direct);
    }
};

struct FakeClipPlayer : IClipPlayer {
    QStringList& log;
    explicit FakeClipPlayer(QStringList& into) : log(into) {}
    void ShowScreenAreas() override {}
    void PlayClip(const QString& file, const QString& page, int kind) override
    {
        log << QStringLiteral("play %1 [%2] kind %3").arg(file, page).arg(kind);
    }
    void Stop() override {}
    void SetNotify(bool) override {}
    void PauseOrResume() override {}
    void StepForward() override {}
    void StepBack() override {}
    void Close() override {}
};

struct FakeTree : IContentsTree {
    QStringList& log;
    explicit FakeTree(QStringList& into) : log(into) {}
    void SetScreenStartFile(const QString&) override {}
    void SyncWithScreen() override {}
    void SelectNodeOfPage(const QString& target) override
    {
        log << QStringLiteral("select ") + target;
    }
    void SetHiddenByCommand(bool) override {}
    bool TreeHidden() const override { return false; }
    void SetScreenHidden(bool) override {}
    void HideTree() override {}
    void ShowTree() override {}
    int TreeWidth() const override { return 0; }
    bool FindCaption(const QString&) override { return false; }
    void UpdateChapterHints() override {}
};

// Programs are not started: the launcher writes what it would start.
struct RecordingLauncher : IProcessLauncher {
    QStringList& log;
    explicit RecordingLauncher(QStringList& into) : log(into) {}
    bool StartDetached(const QString& program, const QStringList& arguments,
                       const QString& folder) override
    {
        log << QStringLiteral("start %1 [%2] in %3")
                   .arg(program, arguments.join(QLatin1Char(' ')), folder);
        return true;
    }
    QString FindExecutable(const QString& name) const override
    {
        return QStringLiteral("/usr/bin/") + name;
    }
};

// A viewer showing "d:\run\html\links.htm", the components as fakes, and the
// link commands under test.
class LinkFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        disc.addToArchive(QStringLiteral("html\\links.htm"),
                          ContentTestDisc::Page(QStringLiteral("Links"), QStringLiteral("links")));
        disc.addToArchive(QStringLiteral("html\\big.jpg"), QByteArray("jpeg"));
        ASSERT_TRUE(disc.openArchive());
        SetProcessLauncher(std::make_unique<RecordingLauncher>(log));
        FillContext(context, disc, screen, log);
        context.Components = &components;
        components.ArchiveBrowser = &browser;
        components.ClipPlayer = &player;
        components.Tree = &tree;
        viewer.reset(CreateHtmlViewer(nullptr));
        ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\html\\links.htm")));
        links = std::make_unique<TLinkCommands>(panels, context);
    }
    void TearDown() override { SetProcessLauncher(nullptr); }

    // The log with host folders written as <d:> and this program as <self>.
    QStringList Log() const
    {
        QStringList readable = log;
        for (QString& line : readable) {
            line.replace(disc.hostPath(QString()), QStringLiteral("<d:>"));
            line.replace(QCoreApplication::applicationFilePath(), QStringLiteral("<self>"));
        }
        return readable;
    }
    bool Click(THtmlViewer& source, const QString& url, const QString& target = QString())
    {
        bool handled = false;
        links->LinkClick(&source, target, url, &handled);
        return handled;
    }

    ContentTestDisc disc;
    int screen = 0;
    QStringList log;
    FakePanels panels{log};
    FakeArchiveBrowser browser{log};
    FakeClipPlayer player{log};
    FakeTree tree{log};
    TComponentSet components;
    TContentContext context;
    std::unique_ptr<THtmlViewer> viewer;
    std::unique_ptr<TLinkCommands> links;
};
