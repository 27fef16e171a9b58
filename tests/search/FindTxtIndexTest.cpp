#include "FindPanelFixture.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

const QString NotFound = QStringLiteral("Текст не найден");
const QString PageA = QStringLiteral("d:\\run\\a.htm");
const QString PageB = QStringLiteral("d:\\run\\b.htm");

// An archive with pages in the program folder (so files.idx serves both the
// index and the scan), a page without title line, and a manual page.
class FindTxtIndex : public FindPanelFixture {
protected:
    void addPages()
    {
        addMember(QStringLiteral("run\\a.htm"), page(QStringLiteral("мотор и двигатель")));
        addMember(QStringLiteral("run\\b.htm"), page(QStringLiteral("ещё мотор")));
        addMember(QStringLiteral("run\\c.htm"), page(QStringLiteral("ничего")));
        addMember(QStringLiteral("run\\untitled.htm"), page(QStringLiteral("двигатель")));
        addMember(QStringLiteral("man\\m.htm"), page(QStringLiteral("двигатель")));
    }
    void addIndex(const QStringList& keywords, const QStringList& pageLists)
    {
        addMember(QStringLiteral("run\\keywords.idx"), lines(keywords));
        addMember(QStringLiteral("run\\index.idx"), lines(pageLists));
        addMember(
            QStringLiteral("run\\files.idx"),
            lines({QStringLiteral("a.htm#:# Страница А "), QStringLiteral("B.HTM#:#Страница Б"),
                   QStringLiteral("c.htm#:#Страница В"), QStringLiteral("a.htm#:#Повтор")}));
    }
    void prepare(const std::function<void()>& addMore = {})
    {
        addPages();
        if (addMore) {
            addMore();
        }
        addIndex({QStringLiteral("мотор"), QStringLiteral("сломано")},
                 {QStringLiteral("1:2"), QStringLiteral("x:y")});
        openArchive();
        ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\c.htm")));
        makePanel();
        panel->SetIndexMode(true);
    }
    static void post(std::function<void()> call)
    {
        QMetaObject::invokeMethod(qApp, std::move(call), Qt::QueuedConnection);
    }
};

} // namespace

TEST_F(FindTxtIndex, AnIndexedKeywordListsItsPagesWithoutScanning)
{
    prepare();
    caseSensitive = true;
    search(QStringLiteral("Мотор"));
    EXPECT_EQ(panel->Results().Files, (QStringList{PageA, QStringLiteral("d:\\run\\B.HTM")}));
    // The index gives titles as files.idx holds them; the scan trims them.
    EXPECT_EQ(panel->Results().Titles,
              (QStringList{QStringLiteral(" Страница А "), QStringLiteral("Страница Б")}));
    EXPECT_EQ(panel->ResultTitles(), panel->Results().Titles);
    ASSERT_EQ(dialog.shownResults.size(), 1);
    EXPECT_EQ(dialog.shownResults.first(), panel->Results().Titles);
    EXPECT_TRUE(status.shown.isEmpty());
    EXPECT_TRUE(busyChanges.isEmpty());
    EXPECT_EQ(bar.stepsBeforeReset, QList<int>{0});
    EXPECT_EQ(dialog.hints.last(), QStringLiteral("Искать"));
    EXPECT_EQ(viewer->currentFile(), QStringLiteral("d:\\run\\c.htm"));
}

TEST_F(FindTxtIndex, AnUnindexedTextIsFoundByScanningTheArchivePages)
{
    prepare();
    search(QStringLiteral("двигатель"));
    // untitled.htm holds the text but has no title line; man\ is never scanned.
    EXPECT_EQ(panel->Results().Files, QStringList{PageA});
    EXPECT_EQ(panel->Results().Titles, QStringList{QStringLiteral("Страница А")});
    EXPECT_EQ(dialog.shownResults.last(), QStringList{QStringLiteral("Страница А")});
    EXPECT_EQ(panel->PageList(0), (QStringList{PageA, PageB, QStringLiteral("d:\\run\\c.htm"),
                                               QStringLiteral("d:\\run\\untitled.htm")}));
    EXPECT_EQ(panel->PageIndex(), -1);
    EXPECT_EQ(busyChanges, (QList<bool>{true, false}));
    EXPECT_TRUE(dialog.hints.contains(QStringLiteral("Остановить поиск")));
    EXPECT_TRUE(status.shown.isEmpty());
    EXPECT_TRUE(indexMessages.isEmpty());

    // The scan honours the case switch; nothing found is said.
    caseSensitive = true;
    search(QStringLiteral("Двигатель"));
    EXPECT_TRUE(panel->Results().Files.isEmpty());
    EXPECT_EQ(dialog.shownResults.last(), QStringList());
    EXPECT_EQ(status.current, NotFound);
}

TEST_F(FindTxtIndex, MissingIndexFilesAreReportedAndScannedAround)
{
    addPages();
    addMember(QStringLiteral("run\\files.idx"), lines({QStringLiteral("a.htm#:#Страница А")}));
    openArchive();
    makePanel();
    panel->SetIndexMode(true);
    search(QStringLiteral("мотор"));
    EXPECT_EQ(indexMessages, QStringList{QStringLiteral("Индескный(е) файл(ы) не найден")});
    EXPECT_EQ(panel->Results().Files, QStringList{PageA});
}

TEST_F(FindTxtIndex, ADamagedPageListEndsTheSearchQuietly)
{
    prepare([this] { addMember(QStringLiteral("run\\d.htm"), page(QStringLiteral("сломано"))); });
    search(QStringLiteral("сломано"));
    EXPECT_TRUE(panel->Results().Files.isEmpty());
    EXPECT_TRUE(dialog.shownResults.isEmpty());
    EXPECT_TRUE(status.shown.isEmpty());
    EXPECT_TRUE(busyChanges.isEmpty());
}

TEST_F(FindTxtIndex, TheProgressBarSpansTheScanInFractionalSteps)
{
    prepare();
    bar.width = 25; // four pages: 6.25 columns each
    search(QStringLiteral("двигатель"));
    EXPECT_EQ(bar.stepsBeforeReset, QList<int>{26});
    EXPECT_EQ(bar.filled, 0);
}

TEST_F(FindTxtIndex, AStopDuringTheScanListsThePagesFoundSoFar)
{
    for (int n = 1; n <= 5; ++n) {
        addMember(QStringLiteral("run\\p%1.htm").arg(n), page(QStringLiteral("поршень")));
    }
    QStringList titles;
    for (int n = 1; n <= 5; ++n) {
        titles.append(QStringLiteral("p%1.htm#:#Поршень %1").arg(n));
    }
    addMember(QStringLiteral("run\\files.idx"), lines(titles));
    openArchive();
    makePanel();
    panel->SetIndexMode(true);
    bar.width = 50; // ten columns a page: the last step before page 2 (index 1) is 21
    bar.onStep = [this](int filled) {
        if (filled == 21) {
            post([this] { dialog.RunCommand(QStringLiteral("findnext1"), QStringLiteral("no")); });
        }
    };
    search(QStringLiteral("поршень"));
    EXPECT_EQ(panel->Results().Files,
              (QStringList{QStringLiteral("d:\\run\\p1.htm"), QStringLiteral("d:\\run\\p2.htm")}));
    EXPECT_EQ(dialog.shownResults.last(),
              (QStringList{QStringLiteral("Поршень 1"), QStringLiteral("Поршень 2")}));
    EXPECT_TRUE(status.shown.isEmpty());
    EXPECT_FALSE(Busy());
    EXPECT_TRUE(panel->Idle());
    EXPECT_EQ(panel->PageIndex(), -1);
}

TEST_F(FindTxtIndex, APageThatFailsToLoadIsNotListedInThePlaceOfTheOneBefore)
{
    // A page walk in all-pages scope leaves the disk's pages; the scan reuses them.
    writePage(QStringLiteral("p1.htm"), QStringLiteral("поршень, ещё поршень"));
    writePage(QStringLiteral("p2.htm"), QStringLiteral("поршень"));
    writePage(QStringLiteral("p3.htm"), QStringLiteral("кольцо"));
    writeFile(QStringLiteral("keywords.idx"), lines({QStringLiteral("другое")}));
    writeFile(QStringLiteral("index.idx"), lines({QStringLiteral("1")}));
    writeFile(QStringLiteral("files.idx"),
              lines({QStringLiteral("p1.htm#:#Первая"), QStringLiteral("p2.htm#:#Вторая"),
                     QStringLiteral("p3.htm#:#Третья")}));
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\p3.htm")));
    makePanel();
    panel->SetPageScope(true);
    search(QStringLiteral("нигде"));
    ASSERT_EQ(panel->PageList(0).size(), 3);

    panel->SetIndexMode(true);
    bar.width = 30;
    bar.onStep = [this](int filled) {
        if (filled == 21) {
            removeFile(QStringLiteral("p2.htm"));
        }
    };
    search(QStringLiteral("поршень"));
    EXPECT_EQ(panel->Results().Files, QStringList{QStringLiteral("d:\\run\\p1.htm")});
    EXPECT_EQ(panel->Results().Titles, QStringList{QStringLiteral("Первая")});
}

TEST_F(FindTxtIndex, FollowingAResultOpensItsPageAndHighlightsTheText)
{
    prepare();
    search(QStringLiteral("мотор"));
    ASSERT_EQ(panel->Results().Files.size(), 2);
    const qsizetype historyBefore = viewer->historyFiles().size();

    panel->FollowResult(1);
    EXPECT_EQ(viewer->currentFile().toLower(), PageB);
    EXPECT_EQ(viewer->selectedText(), QStringLiteral("мотор"));
    EXPECT_EQ(tree.selectCalls, QStringList{QString()});
    EXPECT_TRUE(panel->IndexMode());
    EXPECT_EQ(viewer->historyFiles().size(), historyBefore + 1);

    // The page shown is not opened again.
    viewer->moveSelectionToStart();
    panel->FollowResult(1);
    EXPECT_EQ(viewer->historyFiles().size(), historyBefore + 1);
    EXPECT_EQ(tree.selectCalls.size(), 1);
    EXPECT_EQ(viewer->selectedText(), QStringLiteral("мотор"));

    panel->FollowResult(2);
    panel->FollowResult(-1);
    EXPECT_EQ(viewer->currentFile().toLower(), PageB);

    // Still in index mode: the next search lists again.
    search(QStringLiteral("мотор"));
    EXPECT_EQ(dialog.shownResults.size(), 2);
}

TEST_F(FindTxtIndex, ContentsModeAsksTheTree)
{
    prepare();
    panel->SetContentsMode(true);
    search(QStringLiteral("Глава"));
    EXPECT_EQ(tree.captionSearches, QStringList{QStringLiteral("Глава")});
    EXPECT_EQ(status.current, NotFound);

    tree.captionFound = true;
    search(QStringLiteral("Глава 2"));
    EXPECT_TRUE(status.current.isEmpty());
    EXPECT_EQ(tree.captionSearches.last(), QStringLiteral("Глава 2"));

    search(QStringLiteral(" "));
    EXPECT_EQ(tree.captionSearches.size(), 2);
    EXPECT_EQ(status.current, QStringLiteral("Введите слово для поиска"));

    components.Tree = nullptr;
    search(QStringLiteral("Глава"));
    EXPECT_EQ(status.current, NotFound);
    EXPECT_TRUE(dialog.shownResults.isEmpty());
}

TEST_F(FindTxtIndex, FollowingAResultOfTheSecondFieldHighlightsThatFieldsText)
{
    prepare();
    makePanel({record(1), record(2)});
    panel->SetIndexMode(true);
    edit(0).setText(QStringLiteral("двигатель"));
    search(QStringLiteral("мотор"), 2, 1);
    ASSERT_EQ(panel->Results().Files.size(), 2);

    panel->FollowResult(1);
    EXPECT_EQ(viewer->currentFile().toLower(), PageB);
    EXPECT_EQ(viewer->selectedText(), QStringLiteral("мотор"))
        << "the page is searched for the text the list came from, not the first field's";
    EXPECT_TRUE(panel->IndexMode());
}
