// The skinned window turned into the standard window by "standartwin" and
// back by the toolbar's "Свернуть": the toolbar, the region, the size, the
// page panel's layout, the history menus, and help from the window.

#include "shell/StandardWindow.h"

#include "FakeStandardPage.h"
#include "QuietMasks.h"
#include "ShellTestDisc.h"
#include "data/ProcessPaths.h"
#include "platform/Processes.h"
#include "shell/HistoryMenu.h"
#include "shell/MainForm.h"
#include "shell/PanelBkgrd.h"
#include "shell/WindowAnimation.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using shelltest::CallLog;
using shelltest::FakeFindPanel;
using shelltest::FakePageComponents;
using shelltest::FakePathInputs;
using shelltest::ShellTestDisc;

namespace {

const QString morePanels = QStringLiteral("helpwin\nvw=640\nvh=480\nfn=справка.htm\n"
                                          "_html 1\nvx=33\nvy=90\nvw=706\nvh=511\nfn=a.htm\n"
                                          "number=1\n");

int visibleItems(const THistoryMenu* menu)
{
    int count = 0;
    for (const QAction* item : menu->Items()) {
        count += item->isVisible();
    }
    return count;
}

class StandardWindowTest : public testing::Test {
protected:
    std::unique_ptr<TMainForm> start()
    {
        auto form = std::make_unique<TMainForm>(disc.context());
        factory.Attach(*form);
        form->FormCreate();
        for (int tick = 0; form->Animation().Running() && tick < 2000; ++tick) {
            form->Animation().Tick();
        }
        form->Components().FindPanel = &find;
        form->Components().PathInputs = &paths;
        return form;
    }

    static void run(TMainForm& form, const char* text)
    {
        QString command = QString::fromLatin1(text);
        QString sound = QStringLiteral("no");
        form.ExecuteCommand(command, sound, 0, 0, 1);
    }

    CallLog log;
    FakePageComponents factory{log};
    FakeFindPanel find{log};
    FakePathInputs paths{log};
    ShellTestDisc disc{QStringLiteral("тестовый диск"), QString(), morePanels};
};

TEST_F(StandardWindowTest, TheSkinnedWindowBecomesTheStandardWindowAndComesBack)
{
    const auto form = start();
    ASSERT_EQ(factory.panels.size(), 1) << "the page panels are made once";
    const QRegion polygon = form->mask();
    ASSERT_FALSE(polygon.contains(QPoint(2, 2)));
    log.calls.clear();

    run(*form, "standartwin");
    ASSERT_TRUE(form->StandardWindowShown());
    EXPECT_EQ(log.calls, (QStringList{"Find.ShowEdits(true)", "Paths.StandardWindow(true)",
                                      "Page.SetStandardLayout"}));
    EXPECT_EQ(form->SavedRegion(), polygon);
    EXPECT_TRUE(form->mask().isEmpty());
    EXPECT_FALSE(form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Тестовый диск")) << "the disc's title stays";
    EXPECT_EQ(qAlpha(form->grab().toImage().pixel(2, 2)), 255) << "no more shape";

    const TStandardWindow& standard = *form->StandardWindow();
    const int toolBarHeight = standard.ToolBar()->height();
    EXPECT_TRUE(standard.ToolBar()->isVisible());
    EXPECT_EQ(standard.ToolBar()->geometry(), QRect(0, 0, form->width(), toolBarHeight));
    EXPECT_TRUE(standard.ButtonShown(TStandardWindow::LeaveButton));
    EXPECT_TRUE(standard.ButtonShown(TStandardWindow::PrintButton));
    EXPECT_FALSE(standard.ButtonShown(TStandardWindow::BackButton));
    EXPECT_FALSE(standard.StatusBar()->isVisible());
    EXPECT_EQ(form->PanelBkgrd()->geometry(),
              QRect(0, toolBarHeight, form->width(), form->height() - toolBarHeight))
        << "the content screen's page fills the window below the toolbar";
    log.calls.clear();

    standard.Button(TStandardWindow::LeaveButton)->click();
    EXPECT_FALSE(form->StandardWindowShown());
    EXPECT_EQ(log.calls, (QStringList{"Page.SetSkinnedLayout", "Find.ShowEdits(false)",
                                      "Paths.StandardWindow(false)"}));
    EXPECT_FALSE(standard.ToolBar()->isVisible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(form->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form->size(), QSize(800, 600));
    EXPECT_EQ(form->maximumSize(), QSize(800, 600));
    EXPECT_EQ(form->mask(), polygon);
    EXPECT_EQ(form->PanelBkgrd()->geometry(), QRect(33, 90, 673, 421));

    QToolBar* const first = standard.ToolBar();
    run(*form, "standartwin");
    EXPECT_TRUE(form->StandardWindowShown());
    EXPECT_EQ(form->StandardWindow()->ToolBar(), first) << "made once, shown again";
    EXPECT_EQ(form->SavedRegion(), polygon);
    run(*form, "standartwin");
    EXPECT_EQ(form->SavedRegion(), polygon) << "a second command keeps the skinned region";
    form->LeaveStandardWindow();
    EXPECT_EQ(form->mask(), polygon);
}

TEST_F(StandardWindowTest, ToolbarButtonsActByTheirPosition)
{
    const auto form = start();
    run(*form, "standartwin");
    const TStandardWindow& standard = *form->StandardWindow();
    EXPECT_EQ(standard.Button(TStandardWindow::Divider), nullptr);
    EXPECT_EQ(standard.Button(TStandardWindow::BackButton)->toolTip(),
              QStringLiteral("Перемещение назад на одну ссылку"));
    EXPECT_EQ(standard.Button(TStandardWindow::PrintButton)->text(), QStringLiteral("Печать"));
    log.calls.clear();
    standard.Button(TStandardWindow::PrintButton)->click();
    standard.Button(TStandardWindow::BackButton)->setEnabled(true);
    standard.Button(TStandardWindow::BackButton)->click();
    standard.Button(TStandardWindow::ForwardButton)->setEnabled(true);
    standard.Button(TStandardWindow::ForwardButton)->click();
    EXPECT_EQ(log.calls,
              (QStringList{"Panels.PrintPage()", "Panels.GoBack(2, 3)", "Panels.GoForward(2, 3)"}))
        << "the first screen's two switches and three group members keep in step";
}

TEST_F(StandardWindowTest, TheHistoryMenusAndArrowsFollowThePage)
{
    factory.titles = QStringList{"p0", "p1", "p2", "p3", "p4"};
    factory.index = 2;
    const auto form = start();
    run(*form, "standartwin");
    const TStandardWindow& standard = *form->StandardWindow();
    EXPECT_EQ(visibleItems(standard.BackMenu()), 2);
    EXPECT_EQ(visibleItems(standard.ForwardMenu()), 2);
    EXPECT_TRUE(standard.Button(TStandardWindow::BackButton)->isEnabled());
    EXPECT_TRUE(standard.Button(TStandardWindow::ForwardButton)->isEnabled());
    EXPECT_EQ(standard.Button(TStandardWindow::BackButton)->menu(), standard.BackMenu()->Menu());

    factory.made->index = 0;
    log.calls.clear();
    form->SwitchScreen(0, 0, 0);
    EXPECT_TRUE(log.calls.contains(QStringLiteral("Page.SetStandardLayout")))
        << "the page of a screen shown in the standard window fills it";
    EXPECT_EQ(visibleItems(standard.ForwardMenu()), 0) << "the menus follow the screen's viewer";
    factory.made->index = 2;
    form->UpdateHistoryLists();
    EXPECT_EQ(visibleItems(standard.ForwardMenu()), 2);
    factory.made->index = 0;
    form->UpdateHistoryLists();
    EXPECT_EQ(visibleItems(standard.BackMenu()), 4);
    EXPECT_EQ(visibleItems(standard.ForwardMenu()), 0);
    EXPECT_FALSE(standard.Button(TStandardWindow::ForwardButton)->isEnabled());
    log.calls.clear();
    standard.BackMenu()->Items()[2]->trigger();
    EXPECT_EQ(log.calls, QStringList{"Page.GoToHistory(3)"});
}

class RecordingLauncher : public IProcessLauncher {
public:
    explicit RecordingLauncher(QStringList& started) : started_(started) {}
    bool StartDetached(const QString&, const QStringList& arguments, const QString&) override
    {
        started_ << arguments.join(QLatin1Char('|'));
        return true;
    }
    QString FindExecutable(const QString&) const override { return QString(); }

private:
    QStringList& started_;
};

TEST_F(StandardWindowTest, F1OpensTheHelpFileAtTheScreensTopicInTheHelpViewer)
{
    QStringList started;
    SetProcessLauncher(std::make_unique<RecordingLauncher>(started));
    Paths().CdRoot = QStringLiteral("z:\\");
    Paths().AppDir = disc.context().AppDir;
    disc.folder().write(QStringLiteral("справка.htm"), "<html></html>");
    const auto form = start();
    form->FormKeyDown(TKeySender::MainWindow, Qt::Key_F1, Qt::NoModifier);
    run(*form, "help");
    SetProcessLauncher(nullptr);
    const QString page = disc.context().AppDir + QStringLiteral("справка.htm#Topic12");
    ASSERT_EQ(started.size(), 2);
    EXPECT_TRUE(started[0].endsWith(QStringLiteral("|--|") + page + QStringLiteral("|/h")))
        << started[0].toStdString();
    EXPECT_EQ(started[1], started[0]) << "\"help\" does what F1 does";
}

} // namespace
