#include "FindPanelFixture.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

const QString Word = QStringLiteral("слово");
const QString StartPage = QStringLiteral("d:\\run\\start.htm");
const QString NotFound = QStringLiteral("Текст не найден");

// Pages of the program folder, walked in this order: start.htm, then
// one.htm and other.htm of "sub", then two.htm of "sub\deep".
class FindTxtPages : public FindPanelFixture {
protected:
    void SetUp() override
    {
        writePage(QStringLiteral("start.htm"),
                  QStringLiteral("Первое слово, второе слово и третье слово. Масло двигателя."));
        writePage(QStringLiteral("sub\\one.htm"), QStringLiteral("Здесь одно слово."));
        writePage(QStringLiteral("sub\\other.htm"), QStringLiteral("Здесь ничего."));
        writePage(QStringLiteral("sub\\deep\\two.htm"), QStringLiteral("Ещё одно слово."));
        ASSERT_TRUE(viewer->loadFile(StartPage));
        makePanel();
    }
    // Runs a call from the event queue, as a click during a walk would.
    static void post(std::function<void()> call)
    {
        QMetaObject::invokeMethod(qApp, std::move(call), Qt::QueuedConnection);
    }
    int positionOf(const QString& text, int nth) const
    {
        // The nth match in any letter case.
        const PageText& page = viewOf(viewer).text();
        PageText::Range found = page.find(text, false, 0);
        for (int i = 0; i < nth; ++i) {
            found = page.find(text, false, found.end);
        }
        return found.isEmpty() ? -1 : int(found.begin);
    }
};

} // namespace

TEST_F(FindTxtPages, ABlankTextIsEmptiedAndAskedFor)
{
    search(QStringLiteral("   "));
    EXPECT_EQ(edit().text(), QString());
    EXPECT_EQ(status.current, QStringLiteral("Введите слово для поиска"));
    EXPECT_TRUE(viewer->selectedText().isEmpty());
    EXPECT_EQ(dialog.hints.last(), QStringLiteral("Искать"));
    EXPECT_TRUE(busyChanges.isEmpty());
}

TEST_F(FindTxtPages, RunsOfBlanksAreCollapsedAndWrittenBack)
{
    search(QStringLiteral("масло  двигателя"));
    EXPECT_EQ(edit().text(), QStringLiteral("масло двигателя"));
    EXPECT_EQ(viewer->selectedText(), QStringLiteral("Масло двигателя"));

    viewer->moveSelectionToStart();
    search(QStringLiteral("\t масло     двигателя \r"));
    EXPECT_EQ(edit().text(), QStringLiteral("масло двигателя"));
    EXPECT_EQ(viewer->selectedText(), QStringLiteral("Масло двигателя"));
    EXPECT_TRUE(status.current.isEmpty());
}

TEST_F(FindTxtPages, LimitedScopeCyclesThroughThePageAndWrapsWithoutLeavingIt)
{
    const QStringList historyBefore = viewer->historyFiles();
    QList<int> starts;
    for (int n = 0; n < 5; ++n) {
        search(Word);
        starts.append(selectionStart(viewer));
        EXPECT_EQ(panel->PageIndex(), -1);
    }
    EXPECT_EQ(starts, (QList<int>{positionOf(Word, 0), positionOf(Word, 1), positionOf(Word, 2),
                                  positionOf(Word, 0), positionOf(Word, 1)}));
    EXPECT_EQ(viewer->currentFile(), StartPage);
    EXPECT_EQ(viewer->historyFiles(), historyBefore);
    EXPECT_FALSE(status.shown.contains(NotFound));
    EXPECT_TRUE(panel->PageList(0).isEmpty());
    EXPECT_FALSE(Busy());
}

TEST_F(FindTxtPages, LimitedScopeReportsATextThePageLacksAndHonoursTheCaseSwitch)
{
    search(QStringLiteral("ничего"));
    EXPECT_EQ(status.current, NotFound);
    EXPECT_EQ(viewer->currentFile(), StartPage);

    caseSensitive = true;
    search(QStringLiteral("СЛОВО"));
    EXPECT_EQ(status.current, NotFound);
    caseSensitive = false;
    search(QStringLiteral("СЛОВО"));
    EXPECT_TRUE(status.current.isEmpty());
    EXPECT_EQ(viewer->selectedText(), Word);
}

TEST_F(FindTxtPages, AllPagesWalkSkipsTheStartPageAndEndsSilently)
{
    panel->SetPageScope(true);
    for (int n = 0; n < 3; ++n) {
        search(Word);
    }
    EXPECT_EQ(panel->StartFile(), StartPage);
    search(Word);
    EXPECT_EQ(viewer->currentFile(), QStringLiteral("d:\\run\\sub\\one.htm"));
    EXPECT_EQ(viewer->selectedText(), Word);
    EXPECT_EQ(panel->PageIndex(), 1);
    EXPECT_EQ(panel->PageList(0).size(), 4);

    search(Word);
    EXPECT_EQ(viewer->currentFile(), QStringLiteral("d:\\run\\sub\\deep\\two.htm"));
    EXPECT_EQ(viewer->selectedText(), Word);
    EXPECT_EQ(panel->PageIndex(), 3);

    // After the last page: nothing shown, nothing said, the walk is over.
    search(Word);
    EXPECT_EQ(viewer->currentFile(), QStringLiteral("d:\\run\\sub\\deep\\two.htm"));
    EXPECT_EQ(panel->PageIndex(), -1);
    EXPECT_TRUE(panel->StartFile().isEmpty());
    EXPECT_TRUE(status.shown.isEmpty());

    // The next search starts over from the page shown; start.htm is in the
    // viewer's history and is shown from there.
    search(Word);
    EXPECT_EQ(viewer->currentFile(), StartPage);
    EXPECT_EQ(viewer->historyFiles().size(), 3);
    EXPECT_EQ(selectionStart(viewer), positionOf(Word, 0));
    EXPECT_EQ(panel->StartFile(), QStringLiteral("d:\\run\\sub\\deep\\two.htm"));
    EXPECT_FALSE(Busy());
    EXPECT_EQ(busyChanges.count(true), busyChanges.count(false));
    EXPECT_EQ(dialog.hints.last(), QStringLiteral("Искать"));
}

TEST_F(FindTxtPages, AStopLeavesTheUnsearchedPageForTheNextSearch)
{
    // Shown: sub\other.htm; the walk's first page start.htm holds the text.
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\sub\\other.htm")));
    panel->SetPageScope(true);
    post([this] { dialog.RunCommand(QStringLiteral("findnext1"), QStringLiteral("no")); });
    search(Word);
    EXPECT_TRUE(dialog.hints.contains(QStringLiteral("Остановить поиск")));
    EXPECT_EQ(viewer->currentFile(), QStringLiteral("d:\\run\\sub\\other.htm"));
    EXPECT_EQ(panel->PageIndex(), -1);
    EXPECT_FALSE(Busy());

    search(Word);
    EXPECT_EQ(viewer->currentFile(), StartPage);
    EXPECT_EQ(panel->PageIndex(), 0);
}

TEST_F(FindTxtPages, ASearchAskedForDuringAWalkStopsItInsteadOfNesting)
{
    panel->SetPageScope(true);
    search(Word);
    search(Word);
    search(Word);
    post([this] { panel->FindNext(1); });
    search(Word);
    EXPECT_EQ(viewer->currentFile(), StartPage);
    EXPECT_EQ(panel->PageIndex(), -1);
    EXPECT_EQ(busyChanges, (QList<bool>{true, false}));
    EXPECT_TRUE(panel->Idle());
}

TEST_F(FindTxtPages, AScopeChangeDuringAWalkEndsIt)
{
    panel->SetPageScope(true);
    for (int n = 0; n < 3; ++n) {
        search(Word);
    }
    post([this] { panel->SetPageScope(false); });
    search(Word);
    EXPECT_EQ(viewer->currentFile(), StartPage);
    EXPECT_FALSE(panel->AllPages());
    EXPECT_EQ(panel->PageIndex(), -1);
    EXPECT_TRUE(panel->StartFile().isEmpty());
    EXPECT_TRUE(panel->PageList(0).isEmpty());
    EXPECT_FALSE(Busy());
}

TEST_F(FindTxtPages, ANewTextEndsTheWalk)
{
    panel->SetPageScope(true);
    for (int n = 0; n < 4; ++n) {
        search(Word);
    }
    ASSERT_EQ(panel->PageIndex(), 1);
    status.ShowStatus(NotFound);
    edit().setText(QStringLiteral("одно"));
    EXPECT_EQ(panel->PageIndex(), -1);
    EXPECT_TRUE(panel->StartFile().isEmpty());
    EXPECT_TRUE(status.current.isEmpty());

    // The walk starts again from the page shown, one.htm.
    search(Word);
    EXPECT_EQ(viewer->currentFile(), StartPage);
    ASSERT_EQ(panel->PageIndex(), 0);
    // Busy, the fields change nothing.
    SetBusy(true);
    edit().setText(QStringLiteral("одно"));
    SetBusy(false);
    EXPECT_EQ(panel->PageIndex(), 0);
    EXPECT_EQ(panel->StartFile(), QStringLiteral("d:\\run\\sub\\one.htm"));
}

TEST_F(FindTxtPages, TheThesaurusLooksForTheEntryHeadingFirst)
{
    components.Dialog = nullptr;
    thesaurus = true;
    writePage(QStringLiteral("entry.htm"),
              QStringLiteral("масло в начале. ~ масло — статья. масло потом."));
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\entry.htm")));
    makePanel();

    search(QStringLiteral("масло"));
    EXPECT_EQ(viewer->selectedText(), QStringLiteral("~ масло"));
    search(QStringLiteral("масло"));
    EXPECT_EQ(selectionStart(viewer), positionOf(QStringLiteral("масло"), 2));

    // A new text tries its heading again; a page without one finds the text.
    edit().setText(QString());
    viewer->moveSelectionToStart();
    search(QStringLiteral("масло"));
    EXPECT_EQ(viewer->selectedText(), QStringLiteral("~ масло"));
    edit().setText(QString());
    ASSERT_TRUE(viewer->loadFile(StartPage));
    search(QStringLiteral("масло"));
    EXPECT_EQ(viewer->selectedText(), QStringLiteral("Масло"));
}

TEST_F(FindTxtPages, TheFieldsFrameIsSearchedInAFrameset)
{
    writePage(QStringLiteral("left.htm"), QStringLiteral("меню: слово"));
    writePage(QStringLiteral("right.htm"), QStringLiteral("текст: слово"));
    writeFile(QStringLiteral("frames.htm"),
              "<html><frameset cols=\"30%,*\"><frame name=\"menu\" src=\"left.htm\">"
              "<frame name=\"main\" src=\"right.htm\"></frameset></html>");
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\frames.htm")));
    makePanel({record(1, 1, QStringLiteral("main")), record(2, 1, QStringLiteral("nosuch"))});

    search(Word);
    ASSERT_NE(viewer->frameViewer(QStringLiteral("main")), nullptr);
    EXPECT_EQ(viewer->frameViewer(QStringLiteral("main"))->selectedText(), Word);
    EXPECT_TRUE(viewer->frameViewer(QStringLiteral("menu"))->selectedText().isEmpty());

    // Without such a frame, the frame the user worked in last.
    search(QStringLiteral("меню"), 2, 1);
    EXPECT_EQ(viewer->activeViewer()->selectedText(), QStringLiteral("меню"));
}

TEST_F(FindTxtPages, NoViewerNoSearch)
{
    panel = std::make_unique<TFindTxtHtml>(context({record(1)}), [] { return nullptr; });
    dialog.panel = panel.get();
    panel->SetPageScope(true);
    search(Word);
    EXPECT_TRUE(status.shown.isEmpty());
    EXPECT_TRUE(busyChanges.isEmpty());
    EXPECT_TRUE(panel->Idle());
}
