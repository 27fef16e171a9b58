#include "HtmlFrameFixture.h"

// Screens, panels and the history of the page panels.

namespace {

using HtmlFrame = HtmlFrameFixture;

TEST_F(HtmlFrame, NoPanelsCreateNothing)
{
    EXPECT_EQ(CreatePagePanels(&window, background, {}, context), nullptr);
}

TEST_F(HtmlFrame, OneViewerPerScreenShowsTheFirstPanelsPage)
{
    Create();
    EXPECT_EQ(frame->ViewerCount(), 3);
    EXPECT_EQ(frame->CurrentViewerIndex(), 0);
    EXPECT_EQ(frame->CurrentPanel(), 0);
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("a.htm")));
    EXPECT_FALSE(Current().isHidden());
    EXPECT_EQ(Current().geometry(), QRect(10, 10, 200, 100));
    EXPECT_TRUE(frame->ViewerOfScreen(1)->isHidden());
    EXPECT_TRUE(frame->ViewerOfScreen(2)->isHidden());
    EXPECT_EQ(frame->ViewerOfScreen(3), nullptr);
}

TEST_F(HtmlFrame, TwoPanelsOnOneScreenShareTheirViewer)
{
    Create();
    THtmlViewer* viewer = frame->CurrentViewer();
    frame->OpenInPanel(2, Html(QStringLiteral("e.htm")));
    EXPECT_EQ(frame->CurrentViewer(), viewer);
    EXPECT_EQ(viewer->currentFile(), Html(QStringLiteral("e.htm")));
    EXPECT_EQ(viewer->geometry(), QRect(300, 10, 200, 200));
    EXPECT_EQ(frame->CurrentPanel(), 1);

    frame->OpenInPanel(1, Html(QStringLiteral("f.htm")));
    EXPECT_EQ(frame->CurrentViewer(), viewer);
    EXPECT_EQ(viewer->currentFile(), Html(QStringLiteral("f.htm")));
    EXPECT_EQ(viewer->geometry(), QRect(10, 10, 200, 100));
    EXPECT_EQ(frame->CurrentPanel(), 0);

    // A page of the history is gone to, whatever its letter case; an empty
    // page is the panel's own.
    frame->OpenInPanel(2, Html(QStringLiteral("E.HTM")));
    EXPECT_EQ(viewer->historyIndex(), 1);
    EXPECT_EQ(viewer->historyFiles().size(), 3);
    frame->OpenInPanel(2, QString());
    EXPECT_EQ(viewer->currentFile(), Html(QStringLiteral("b.htm")));
    frame->OpenInPanel(9, Html(QStringLiteral("c.htm")));
    EXPECT_EQ(viewer->currentFile(), Html(QStringLiteral("b.htm")));
}

TEST_F(HtmlFrame, PageForAnotherScreensPanelIsReadyWhenThatScreenShows)
{
    Create();
    frame->OpenInPanel(4, Html(QStringLiteral("e.htm")));
    THtmlViewer* other = frame->ViewerOfScreen(2);
    EXPECT_EQ(other->currentFile(), Html(QStringLiteral("e.htm")));
    EXPECT_TRUE(other->isHidden());
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("a.htm")));
    EXPECT_FALSE(Current().isHidden());

    SwitchTo(2);
    EXPECT_EQ(frame->CurrentViewer(), other);
    EXPECT_EQ(other->currentFile(), Html(QStringLiteral("e.htm")));
    EXPECT_FALSE(other->isHidden());
    EXPECT_EQ(other->geometry(), QRect(20, 20, 300, 300));
    EXPECT_TRUE(frame->ViewerOfScreen(0)->isHidden());
}

TEST_F(HtmlFrame, ScreenWithoutPanelsHidesThePreviousViewer)
{
    FakePathInputs inputs;
    inputs.folder = QStringLiteral("d:\\install\\");
    components.PathInputs = &inputs;
    Create();
    SwitchTo(3);
    EXPECT_TRUE(frame->ViewerOfScreen(0)->isHidden());
    EXPECT_EQ(frame->CurrentViewerIndex(), 0);
    EXPECT_EQ(frame->CurrentViewer(), nullptr);
    frame->CopyPage();
    frame->OpenFile(Html(QStringLiteral("b.htm")));
    EXPECT_TRUE(log.isEmpty());
    EXPECT_FALSE(disc.existsOnDisk(QStringLiteral("install\\a.htm")));
    EXPECT_EQ(frame->ViewerOfScreen(0)->currentFile(), Html(QStringLiteral("a.htm")));

    SwitchTo(0);
    SwitchTo(0);
    EXPECT_FALSE(Current().isHidden());
}

TEST_F(HtmlFrame, ContentScreenViewerFillsTheBackgroundPanelBesideTheTree)
{
    window.show();
    background->show();
    Create();
    SwitchTo(1);
    EXPECT_EQ(Current().parentWidget(), background);
    EXPECT_EQ(Current().geometry(), QRect(0, 0, 673, 421));
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("c.htm")));

    auto* tree = new QWidget(background);
    tree->setGeometry(0, 0, 150, 421);
    auto* splitter = new QWidget(background);
    splitter->setGeometry(151, 0, 3, 421);
    tree->show();
    splitter->show();
    frame->ReleaseViewerAlignment();
    frame->FillPanelWithViewer();
    EXPECT_EQ(Current().geometry(), QRect(154, 0, 519, 421));

    background->resize(700, 400);
    EXPECT_EQ(Current().geometry(), QRect(154, 0, 546, 400));
    frame->ReleaseViewerAlignment();
    background->resize(673, 421);
    EXPECT_EQ(Current().geometry(), QRect(154, 0, 546, 400));
}

TEST_F(HtmlFrame, StandardLayoutFillsTheWindowBelowTheToolbar)
{
    Create();
    auto* toolbar = new QWidget(&window);
    toolbar->setGeometry(0, 0, 800, 30);
    toolbar->show();
    frame->SetStandardLayout();
    EXPECT_EQ(Current().geometry(), QRect(0, 30, 800, 570));
    toolbar->hide();
    frame->SetSkinnedLayout();
    EXPECT_EQ(Current().geometry(), QRect(10, 10, 200, 100));
    window.resize(900, 700);
    EXPECT_EQ(Current().geometry(), QRect(10, 10, 200, 100));
}

class HtmlFrameHistory : public HtmlFrameFixture {
protected:
    static RSwthOne Switch(QRect rect, bool on, const QString& up, const QString& down)
    {
        RSwthOne one;
        one.Left = rect.left();
        one.Top = rect.top();
        one.Right = rect.right();
        one.Bottom = rect.bottom();
        one.State = on;
        one.CmdUp = up;
        one.CmdDown = down;
        return one;
    }
    static RSwthGrp Member(QRect rect, const QString& command)
    {
        RSwthGrp member;
        member.Left = rect.left();
        member.Top = rect.top();
        member.Command = command;
        return member;
    }
    // html1=guide.htm, then two links.
    void OpenGuideAndFollowTwoLinks()
    {
        const QString guide = Html(QStringLiteral("guide.htm"));
        frame->RememberCommandPage(guide);
        frame->OpenInPanel(1, guide);
        Current().loadFile(Html(QStringLiteral("p2.htm")));
        Current().loadFile(Html(QStringLiteral("p3.htm")));
    }
};

TEST_F(HtmlFrameHistory, CommandPagesCollectThePagesReachedFromThem)
{
    Create();
    OpenGuideAndFollowTwoLinks();
    frame->RememberCommandPage(Html(QStringLiteral("e.htm")));
    frame->OpenInPanel(1, Html(QStringLiteral("e.htm")));
    Current().loadFile(Html(QStringLiteral("P2.htm")));
    EXPECT_EQ(frame->CommandPages().Entries(0),
              QStringList(
                  {Html(QStringLiteral("guide.htm; d:\\run\\html\\p2.htm; d:\\run\\html\\p3.htm")),
                   Html(QStringLiteral("e.htm"))}));
    EXPECT_EQ(frame->CommandPages().Index(), 0);
    EXPECT_EQ(frame->CommandPages().CurrentKey(0), Html(QStringLiteral("guide.htm")));
}

TEST_F(HtmlFrameHistory, SteppingBackTogglesTheSwitchesOfTheCommandPage)
{
    Create();
    OpenGuideAndFollowTwoLinks();
    const QString command = QStringLiteral("html1=") + Html(QStringLiteral("guide.htm"));
    TDynamicSwthOneArray switches{
        Switch(QRect(100, 200, 20, 20), false, QStringLiteral("x"), command), // off, opens guide
        Switch(QRect(150, 200, 20, 20), true, QStringLiteral("x"), command),  // on: goup counts
        Switch(QRect(200, 200, 20, 20), true, command, QStringLiteral("y")), // on, goup opens guide
        Switch(QRect(250, 200, 20, 20), false, QStringLiteral("x"), QStringLiteral("html1=a.htm"))};
    TDynamicSwthGrpArray groups{Member(QRect(300, 250, 20, 20), command),
                                Member(QRect(350, 250, 20, 20), QStringLiteral("html1=b.htm"))};

    frame->GoBack(switches, groups);
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("p2.htm")));
    EXPECT_EQ(presses, QList<QPoint>({QPoint(101, 201), QPoint(201, 201), QPoint(301, 251)}));

    presses.clear();
    frame->GoForward(switches, groups);
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("p3.htm")));
    EXPECT_EQ(presses.size(), 3);

    presses.clear();
    frame->GoForward(switches, groups); // no step: a beep, nothing else
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("p3.htm")));
    EXPECT_TRUE(presses.isEmpty());
}

TEST_F(HtmlFrameHistory, StepsWithoutCommandPageOrHistoryPressNothing)
{
    Create();
    TDynamicSwthOneArray switches{Switch(QRect(100, 200, 20, 20), false, QString(), QString())};
    TDynamicSwthGrpArray groups{Member(QRect(300, 250, 20, 20), QString())};
    frame->GoBack(switches, groups);
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("a.htm")));
    Current().loadFile(Html(QStringLiteral("b.htm")));
    frame->GoBack(switches, groups); // no command page: the key is empty and matches nothing
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("a.htm")));
    EXPECT_TRUE(presses.isEmpty());
}

TEST_F(HtmlFrameHistory, HistoryChangesReachTheOtherComponents)
{
    TContentHooks& hooks = context.Hooks;
    hooks.UpdateArchiveMode = [this](const QString& file) {
        log << QStringLiteral("archive ") + file;
    };
    hooks.SetPageFolder = [this](const QString& file) { log << QStringLiteral("fonts ") + file; };
    hooks.SetTextMessage = [this](const QString& text, int number) {
        log << QStringLiteral("text [%1] %2").arg(text).arg(number);
    };
    hooks.UpdateHistoryLists = [this] { log << QStringLiteral("history lists"); };
    hooks.UpdateChapterHints = [this] { log << QStringLiteral("chapter hints"); };
    Create();
    log.clear();
    Current().loadFile(Html(QStringLiteral("b.htm")));
    const QString file = Html(QStringLiteral("b.htm"));
    EXPECT_EQ(log, QStringList({QStringLiteral("archive ") + file, QStringLiteral("fonts ") + file,
                                QStringLiteral("text [B  ] 1"), QStringLiteral("history lists"),
                                QStringLiteral("chapter hints")}));
}

TEST_F(HtmlFrameHistory, OpenFileMarksVisitedOrGoesBackInTheHistory)
{
    Create();
    frame->OpenFile(Html(QStringLiteral("b.htm")));
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("b.htm")));
    EXPECT_TRUE(Current().visitedLinks().contains(Html(QStringLiteral("b.htm"))));
    frame->OpenFile(Html(QStringLiteral("A.HTM")));
    EXPECT_EQ(Current().historyIndex(), 1);
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("a.htm")));

    frame->OpenFile(Html(QStringLiteral("missing.htm")));
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("a.htm")));
    EXPECT_TRUE(Current().visitedLinks().contains(Html(QStringLiteral("missing.htm"))));

    frame->GoToHistory(0);
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("b.htm")));
    frame->HideCurrentViewer();
    frame->OpenFile(Html(QStringLiteral("c.htm")));
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("b.htm")));
}

TEST_F(HtmlFrameHistory, ArchiveModeBelongsToTheViewerOfTheScreen)
{
    Create();
    frame->SetArchiveMode(true);
    EXPECT_TRUE(frame->IsArchiveMode());
    SwitchTo(2);
    EXPECT_FALSE(frame->IsArchiveMode());
    SwitchTo(0);
    EXPECT_TRUE(frame->IsArchiveMode());
}

} // namespace
