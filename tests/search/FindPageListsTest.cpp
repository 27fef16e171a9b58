#include "search/FindPageLists.h"

#include "FindPanelFixture.h"

#include <gtest/gtest.h>

namespace {

const QString Base = QStringLiteral("d:\\");

TDynamicStringArray members()
{
    return {QStringLiteral("RUN\\HTML\\A.HTM"),   QStringLiteral("RUN\\HTML\\B.HTML"),
            QStringLiteral("RUN\\PIC\\A.GIF"),    QStringLiteral("RUN\\HTML\\NOTES.TXT"),
            QStringLiteral("MAN\\HELP.HTM"),      QStringLiteral("Man_\\HELP2.HTM"),
            QStringLiteral("RUN\\MAN\\KEEP.HTM"), QStringLiteral("RUN\\SERVICE\\S.HTM"),
            QStringLiteral("RUN\\HTM.DIR\\READ"), QStringLiteral("RUN\\ДОК\\СТАТЬЯ.HTM")};
}

} // namespace

TEST(FindPageLists, ArchivePagesKeepHtmlOutsideManualFoldersLowerCasedBelowTheBase)
{
    const TDynamicStringArray pages = FindPageLists::ArchivePages(members(), Base, {}, false);
    EXPECT_EQ(pages, (TDynamicStringArray{QStringLiteral("d:\\run\\html\\a.htm"),
                                          QStringLiteral("d:\\run\\html\\b.html"),
                                          QStringLiteral("d:\\run\\man\\keep.htm"),
                                          QStringLiteral("d:\\run\\service\\s.htm"),
                                          QStringLiteral("d:\\run\\док\\статья.htm")}));
}

TEST(FindPageLists, ExcludedFragmentsApplyOnlyInLimitedScopeAndBlankOnesNever)
{
    const TDynamicStringArray noFiles{QStringLiteral("\\SERVICE\\"), QString(),
                                      QStringLiteral("  "), QStringLiteral("Док")};
    const TDynamicStringArray limited =
        FindPageLists::ArchivePages(members(), Base, noFiles, false);
    EXPECT_EQ(limited, (TDynamicStringArray{QStringLiteral("d:\\run\\html\\a.htm"),
                                            QStringLiteral("d:\\run\\html\\b.html"),
                                            QStringLiteral("d:\\run\\man\\keep.htm")}));
    const TDynamicStringArray all = FindPageLists::ArchivePages(members(), Base, noFiles, true);
    EXPECT_EQ(all.size(), 5);
    EXPECT_TRUE(all.contains(QStringLiteral("d:\\run\\service\\s.htm")));
}

TEST(FindPageLists, AListWithoutPagesHoldsOneEmptyEntryAndLongListsAreCut)
{
    EXPECT_EQ(FindPageLists::ArchivePages({QStringLiteral("RUN\\A.GIF")}, Base, {}, false),
              TDynamicStringArray{QString()});
    EXPECT_EQ(FindPageLists::ArchivePages({}, Base, {}, true), TDynamicStringArray{QString()});

    TDynamicStringArray many;
    for (int n = 0; n < FindPageLists::MaxPages + 10; ++n) {
        many.append(QStringLiteral("P%1.HTM").arg(n));
    }
    const TDynamicStringArray cut = FindPageLists::ArchivePages(many, Base, {}, false);
    EXPECT_EQ(cut.size(), FindPageLists::MaxPages);
    EXPECT_EQ(cut.last(), QStringLiteral("d:\\p%1.htm").arg(FindPageLists::MaxPages - 1));
}

TEST(FindPageLists, DiskPagesGoBreadthFirstThroughTheProgramFolder)
{
    TempDir dir;
    VirtualFs::instance().mount(QStringLiteral("d:\\"), dir.path());
    dir.write(QStringLiteral("run/b.htm"), "b");
    dir.write(QStringLiteral("run/a.HTML"), "a");
    dir.write(QStringLiteral("run/x.txt"), "x");
    dir.write(QStringLiteral("run/deep/one/two.htm"), "2");
    dir.write(QStringLiteral("run/deep/one.htm"), "1");
    dir.write(QStringLiteral("run/.hidden.htm"), "h");
    dir.write(QStringLiteral("outside.htm"), "o");

    const TDynamicStringArray pages = FindPageLists::DiskPages(QStringLiteral("d:\\run\\"));
    ASSERT_EQ(pages.size(), 5);
    // The top folder first (in the order the folder lists them), then each level.
    for (const QString& top : pages.mid(0, 3)) {
        EXPECT_EQ(top.count(QLatin1Char('\\')), 2) << top.toStdString();
    }
    EXPECT_EQ(pages.at(3), QStringLiteral("d:\\run\\deep\\one.htm"));
    EXPECT_EQ(pages.at(4), QStringLiteral("d:\\run\\deep\\one\\two.htm"));
    EXPECT_TRUE(pages.contains(QStringLiteral("d:\\run\\.hidden.htm")));

    EXPECT_EQ(FindPageLists::DiskPages(QStringLiteral("d:\\run\\deep\\one\\none\\")),
              TDynamicStringArray{QString()});
    VirtualFs::instance().unmount(QStringLiteral("d:\\"));
}
