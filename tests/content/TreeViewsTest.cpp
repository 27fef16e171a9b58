#include "content/TreeViews.h"

#include "LinkFixture.h"
#include "content/TreeOutline.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

const QString kAppDir = QStringLiteral("d:\\run\\");

void SendMouse(QWidget* widget, QEvent::Type type, QPoint point)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, QPointF(point), widget->mapToGlobal(QPointF(point)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

TDynamicStringArray Lines(std::initializer_list<const char*> lines)
{
    TDynamicStringArray out;
    for (const char* line : lines) {
        out.append(QString::fromUtf8(line));
    }
    return out;
}

// Panels that show what they are asked to open, as the page panel would.
struct ShowingPanels : FakePanels {
    using FakePanels::FakePanels;
    void OpenFile(const QString& page) override
    {
        FakePanels::OpenFile(page);
        document = PagePathsWithoutAnchor(page);
    }
    static QString PagePathsWithoutAnchor(const QString& page) { return page.section('#', 0, 0); }
};

// A tree on a background panel with its splitter, on a screen that the test
// chooses, over panels that record what the tree opens.
class TreeViews : public ::testing::Test {
protected:
    void Create(const TDynamicStringArray& lines)
    {
        panel.resize(673, 421);
        splitter = new QWidget(&panel);
        splitter->setGeometry(0, 0, 3, 421);
        set.PagePanels = &panels;
        set.Popups = &popups;
        TContentsTreeContext context;
        context.BackgroundPanel = &panel;
        context.Splitter = splitter;
        context.Lines = lines;
        context.AppDir = kAppDir;
        context.Components = &set;
        context.CurrentScreen = [this] { return screen; };
        context.SetCommandHint = [this](const QString& command, const QString& hint) {
            hints[command] = hint;
        };
        tree = std::make_unique<TTreeViews>(context);
        set.Tree = tree.get();
        log.clear();
    }
    void CreateBook()
    {
        Create(Lines({"index.htm;Начало", "a.htm;Глава А", "\ta.htm#one;Раздел один",
                      "\ta2.htm;Раздел два", "b.htm;Глава Б", "\tb1.htm;Мотор", "c.htm;Глава В"}));
    }
    // The node under the user's click.
    void Click(int node)
    {
        tree->show();
        panel.show();
        const QRect box = tree->visualItemRect(tree->topLevelItem(0));
        ASSERT_TRUE(box.isValid());
        QTreeWidgetItem* item = nullptr;
        for (QTreeWidgetItemIterator it(tree.get()); *it; ++it) {
            if ((*it)->data(0, Qt::UserRole).toInt() == node) {
                item = *it;
            }
        }
        ASSERT_NE(item, nullptr);
        tree->scrollToItem(item);
        const QPoint centre = tree->visualItemRect(item).center();
        SendMouse(tree->viewport(), QEvent::MouseButtonPress, centre);
        SendMouse(tree->viewport(), QEvent::MouseButtonRelease, centre);
    }

    QStringList log;
    ShowingPanels panels{log};
    struct Popups : IPopupController {
        int hidden = 0;
        void RebuildPopups() override {}
        void ShowPopup(int, QPoint) override {}
        void HideAllPopups() override { ++hidden; }
        void SetItemCount(int, int) override {}
        void AppendItem(const QString&, const QString&, int) override {}
        void SetItem(const QString&, const QString&, int, int) override {}
        void ShowItem(bool, int, int) override {}
    } popups;
    TComponentSet set;
    QWidget panel;
    QWidget* splitter = nullptr;
    int screen = 1;
    QHash<QString, QString> hints;
    std::unique_ptr<TTreeViews> tree;
};

} // namespace

// A long run of deep lines, then lines that climb back to the top level
// again and again: each such line once walked back over the whole run.
TEST(TreeOutline, AMegabyteOutlineThatClimbsBackStaysLinear)
{
    TDynamicStringArray lines{QStringLiteral("top.htm;Top"), QStringLiteral("\tsub.htm;Sub")};
    for (int i = 0; i < 100000; ++i) {
        lines.append(QStringLiteral("\t\tc;C"));
    }
    for (int i = 0; i < 60000; ++i) {
        lines.append(QStringLiteral("\t\td;D"));
        lines.append(QStringLiteral("\te;E"));
    }
    ASSERT_GE(lines.join(QLatin1Char('\n')).size(), 1000000);
    QElapsedTimer timer;
    timer.start();
    const QList<TOutlineNode> nodes = BuildOutline(lines);
    EXPECT_LT(timer.elapsed(), 1000) << "well under a second for a megabyte";
    ASSERT_EQ(nodes.size(), lines.size());
    EXPECT_EQ(nodes[100002].Parent, 1);
    EXPECT_EQ(nodes[100003].Parent, 0) << "climbs back below the top node";
    EXPECT_EQ(nodes[100004].Parent, 100003);
    EXPECT_EQ(nodes.last().Parent, 0);
    EXPECT_EQ(nodes.last().Level, 1);
}

TEST(TreeOutline, TabsGiveDepthButNeverMoreThanOneLevelAtATime)
{
    const QList<TOutlineNode> nodes =
        BuildOutline(Lines({"\t\tfirst.htm;First", "a.htm;A", "\ta1.htm;A1", "\t\ta11.htm;A11",
                            "\ta2.htm;A2", "b.htm;B", "\t\t\tdeep.htm;Deep", "\tb2.htm;B2", "",
                            "c.htm ; C ; ignored", "bare.htm", "\tx.htm#part;X"}));
    ASSERT_EQ(nodes.size(), 11);
    EXPECT_EQ(nodes[0].Parent, -1) << "a first line with two tabs is at the top";
    EXPECT_EQ(nodes[0].Level, 0);
    EXPECT_EQ(nodes[2].Parent, 1);
    EXPECT_EQ(nodes[3].Parent, 2);
    EXPECT_EQ(nodes[3].Level, 2);
    EXPECT_EQ(nodes[4].Parent, 1) << "back to the second sub-chapter of A";
    EXPECT_EQ(nodes[5].Parent, -1);
    EXPECT_EQ(nodes[6].Parent, 5) << "three tabs below a top node make it one level deeper";
    EXPECT_EQ(nodes[6].Level, 1);
    EXPECT_EQ(nodes[7].Parent, 5) << "same level as the node before: its sibling";
    EXPECT_EQ(nodes[8].File, QStringLiteral("c.htm"));
    EXPECT_EQ(nodes[8].Caption, QStringLiteral("C"));
    EXPECT_EQ(nodes[9].File, QStringLiteral("bare.htm"));
    EXPECT_TRUE(nodes[9].Caption.isEmpty());
    EXPECT_EQ(nodes[10].File, QStringLiteral("x.htm#part"));
    EXPECT_EQ(nodes[10].Parent, 9);
}

TEST_F(TreeViews, StartsHiddenAndFollowsTheScreens)
{
    screen = 0;
    CreateBook();
    EXPECT_TRUE(tree->isHidden());
    EXPECT_FALSE(tree->ScreenHidden()) << "built, the tree is hidden by nobody's choice";
    EXPECT_EQ(tree->topLevelItemCount(), 4);
    EXPECT_EQ(tree->EntryCount(), 7);
    screen = 1;
    tree->SetScreenStartFile(kAppDir + QStringLiteral("B.HTM"));
    tree->SyncWithScreen();
    EXPECT_FALSE(tree->isHidden());
    EXPECT_FALSE(tree->ScreenHidden());
    EXPECT_EQ(splitter->x(), tree->width() + 1);
    EXPECT_EQ(tree->SelectedEntry(), 4);
    EXPECT_EQ(log.last(), QStringLiteral("open file d:\\run\\b.htm"));

    tree->SetScreenStartFile(QStringLiteral("d:\\run\\b1.htm#missing"));
    tree->SelectEntry(0);
    tree->SyncWithScreen();
    EXPECT_EQ(tree->SelectedEntry(), 5) << "the page's node found through its caption";
    screen = 0;
    tree->SyncWithScreen();
    EXPECT_TRUE(tree->isHidden());
    EXPECT_TRUE(tree->ScreenHidden());
    EXPECT_TRUE(panel.isHidden());
}

TEST_F(TreeViews, OnEveryScreenButTheContentScreenThePanelAndTheTreeAreHidden)
{
    CreateBook();
    panel.show();
    ASSERT_TRUE(tree->isVisible());
    for (const int other : {2, 3}) {
        screen = other;
        tree->SyncWithScreen();
        EXPECT_TRUE(panel.isHidden()) << "screen " << other;
        EXPECT_TRUE(tree->isHidden()) << "screen " << other;
        screen = 1;
        tree->SyncWithScreen();
        EXPECT_TRUE(panel.isVisible());
        EXPECT_TRUE(tree->isVisible());
    }
}

TEST_F(TreeViews, NestedNodesShowNoExpandButtons)
{
    Create(Lines({"a.htm;Глава", "\ta1.htm;Раздел", "\t\ta11.htm;Пункт", "b.htm;Б"}));
    panel.show();
    tree->expandAll();
    QTreeWidgetItem* nested = tree->topLevelItem(0)->child(0);
    ASSERT_NE(nested, nullptr);
    ASSERT_GT(nested->childCount(), 0);
    const QRect row = tree->visualItemRect(nested);
    const QImage shot = tree->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The room left of the nested node's text, where a button would be drawn.
    for (int x = 0; x < row.left(); ++x) {
        for (int y = row.top(); y <= row.bottom(); ++y) {
            ASSERT_EQ(QColor(shot.pixel(x, y)), QColor(Qt::white)) << x << "," << y;
        }
    }
}

TEST_F(TreeViews, AScreenStartPageWithFoldersFindsItsNode)
{
    Create(Lines({"index.htm;Начало", "pages\\a.htm;Глава А", "pages\\b.htm;Глава Б",
                  "\tpages\\b.htm#two;Раздел два"}));
    tree->SetScreenStartFile(kAppDir + QStringLiteral("Pages\\A.htm"));
    tree->SyncWithScreen();
    EXPECT_EQ(tree->SelectedEntry(), 1);
    EXPECT_EQ(log.last(), QStringLiteral("open file d:\\run\\pages\\a.htm"));

    tree->SetScreenStartFile(kAppDir + QStringLiteral("pages\\b.htm#nowhere"));
    tree->SelectEntry(0);
    tree->SyncWithScreen();
    EXPECT_EQ(tree->SelectedEntry(), 2) << "the anchored page found through its caption";
}

TEST_F(TreeViews, ChoosingANodeOpensItsPageOnceAndTheHiddenViewerGetsPanelTwenty)
{
    CreateBook();
    log.clear();
    Click(1);
    EXPECT_EQ(log, QStringList({"open file d:\\run\\a.htm"}));
    EXPECT_EQ(tree->SelectedFile(), QStringLiteral("d:\\run\\a.htm")) << "the prefix is kept";
    tree->OpenSelected();
    EXPECT_EQ(log.size(), 1) << "the page shown is not opened again";
    Click(2);
    EXPECT_EQ(log.last(), QStringLiteral("open file d:\\run\\a.htm#one"));
    panels.shown = false;
    Click(4);
    EXPECT_EQ(log.last(), QStringLiteral("panel 20 d:\\run\\b.htm"));
    EXPECT_GT(popups.hidden, 0) << "a press closes the popups";
}

TEST_F(TreeViews, PagesOpenedElsewhereSelectTheirNodeWithoutOpeningItAgain)
{
    Create(Lines({"index.htm;Начало", "pages\\deep.htm;Глубоко", "a.htm;A", "a.htm;A again"}));
    panels.document = QStringLiteral("d:\\run\\index.htm");
    log.clear();
    tree->SelectNodeOfPage(QStringLiteral("A.HTM#x"));
    EXPECT_EQ(tree->SelectedEntry(), 2);
    EXPECT_TRUE(log.isEmpty()) << "the link opens its page itself";
    panels.document = QStringLiteral("d:\\run\\pages\\deep.htm");
    tree->SelectNodeOfPage(QString());
    EXPECT_EQ(tree->SelectedEntry(), 1) << "a node with folders matches the full path";
    EXPECT_TRUE(log.isEmpty());
    tree->SelectNodeOfPage(QStringLiteral("unknown.htm"));
    EXPECT_EQ(tree->SelectedEntry(), 1);
}

TEST_F(TreeViews, ChapterHintsNameTheNeighbouringChapters)
{
    CreateBook();
    tree->SelectEntry(0);
    tree->UpdateChapterHints();
    EXPECT_EQ(hints.value("nextchapter"), QStringLiteral("Глава А"));
    EXPECT_EQ(hints.value("prevchapter"), QStringLiteral("Первый раздел"));
    tree->SelectEntry(1);
    tree->UpdateChapterHints();
    EXPECT_EQ(hints.value("nextchapter"), QStringLiteral("Глава А : Раздел один"));
    tree->SelectEntry(3);
    tree->UpdateChapterHints();
    EXPECT_EQ(hints.value("prevchapter"), QStringLiteral("Глава А : Раздел один"));
    tree->SelectEntry(6);
    tree->UpdateChapterHints();
    EXPECT_EQ(hints.value("nextchapter"), QStringLiteral("Последний раздел"));
    EXPECT_EQ(hints.value("prevchapter"), QStringLiteral("Глава Б : Мотор"));

    // A page shown by "back", a popup item, a find result or another
    // instance selects its node after the hints were given: they follow it.
    tree->SelectEntry(0);
    tree->UpdateChapterHints();
    panels.document = kAppDir + QStringLiteral("b.htm");
    tree->SelectNodeOfPage(QString());
    EXPECT_EQ(tree->SelectedEntry(), 4);
    EXPECT_EQ(hints.value("nextchapter"), QStringLiteral("Глава Б : Мотор"));
    EXPECT_EQ(hints.value("prevchapter"), QStringLiteral("Глава А : Раздел два"));

    Create(Lines({"same.htm;One", "same.htm;Two", "other.htm;Three"}));
    tree->UpdateChapterHints();
    EXPECT_EQ(tree->FocusedNode(), 0) << "nothing selected: the first node is focused";
    EXPECT_EQ(hints.value("nextchapter"), QStringLiteral("Three"));
}

TEST_F(TreeViews, ChapterStepsWalkPastNodesOfTheSamePage)
{
    Create(Lines({"same.htm;One", "same.htm;Two", "other.htm;Three"}));
    StepChapter(*tree, 1);
    EXPECT_EQ(tree->SelectedEntry(), 0) << "no selection: the first node";
    StepChapter(*tree, 1);
    EXPECT_EQ(tree->SelectedEntry(), 2);
    StepChapter(*tree, 1);
    EXPECT_EQ(tree->SelectedEntry(), 2) << "the end keeps the selection";
    EXPECT_EQ(log, QStringList({"open file d:\\run\\same.htm", "open file d:\\run\\other.htm"}));
}

TEST_F(TreeViews, CaptionSearchWrapsAroundToTheFocusedNode)
{
    CreateBook();
    EXPECT_TRUE(tree->FindCaption(QStringLiteral("мотор")));
    EXPECT_EQ(tree->SelectedEntry(), 5);
    EXPECT_TRUE(tree->FindCaption(QStringLiteral("МОТОР"))) << "only the focused node has it";
    EXPECT_EQ(tree->SelectedEntry(), 5);
    EXPECT_TRUE(tree->FindCaption(QStringLiteral("глава")));
    EXPECT_EQ(tree->SelectedEntry(), 6) << "the search starts after the focused node";
    EXPECT_FALSE(tree->FindCaption(QStringLiteral("нет такого")));
    EXPECT_EQ(tree->SelectedEntry(), 6);
}

TEST_F(TreeViews, FoldingAwayGivesThePageTheRoomAndTheScreenChoiceWins)
{
    CreateBook();
    log.clear();
    tree->SetHiddenByCommand(true);
    EXPECT_TRUE(tree->TreeHidden());
    EXPECT_TRUE(tree->isHidden());
    EXPECT_TRUE(splitter->isHidden());
    EXPECT_TRUE(log.contains(QStringLiteral("fill")));
    tree->SetScreenHidden(true);
    tree->SetHiddenByCommand(false);
    EXPECT_FALSE(tree->TreeHidden());
    EXPECT_TRUE(tree->isHidden()) << "hidden by the screen's choice";
    tree->SetScreenHidden(false);
    tree->SetHiddenByCommand(false);
    EXPECT_FALSE(tree->isHidden());
    EXPECT_FALSE(splitter->isHidden());
}

TEST_F(TreeViews, TheSplitterResizesTheTree)
{
    CreateBook();
    panel.show();
    const QPoint grip(1, 100);
    SendMouse(splitter, QEvent::MouseButtonPress, grip);
    SendMouse(splitter, QEvent::MouseMove, QPoint(60, 100));
    SendMouse(splitter, QEvent::MouseButtonRelease, QPoint(60, 100));
    EXPECT_GT(tree->width(), 165);
    EXPECT_EQ(splitter->x(), tree->width() + 1);
    SendMouse(splitter, QEvent::MouseButtonPress, grip);
    SendMouse(splitter, QEvent::MouseMove, QPoint(-500, 100));
    EXPECT_EQ(tree->width(), TTreeViews::kMinimumWidth);
}

TEST_F(TreeViews, AnEmptyOutlineFindsNothing)
{
    Create({});
    tree->UpdateChapterHints();
    tree->SelectNodeOfPage(QString());
    StepChapter(*tree, 1);
    EXPECT_FALSE(tree->FindCaption(QStringLiteral("x")));
    EXPECT_TRUE(log.isEmpty());
    EXPECT_TRUE(hints.isEmpty());
}
