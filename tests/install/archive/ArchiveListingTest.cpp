#include "install/archive/ArchiveListing.h"

#include "install/archive/ArchivePaths.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace {

using namespace ArchivePaths;

const QLocale C = QLocale::c();
constexpr quint32 Stamp = 1234567890;

RArchiveHeader file(const QString& name, qint64 size, quint32 time = 0x3d2a5a6b)
{
    RArchiveHeader header;
    header.Name = name;
    header.Size = size;
    header.Time = time;
    return header;
}

RArchiveHeader folder(const QString& name, quint32 time = 0x3d2a5a6b)
{
    RArchiveHeader header = file(name, 0, time);
    header.Folder = true;
    return header;
}

QStringList rowTexts(const TArchiveListing::RInfoFiles& page)
{
    QStringList texts;
    for (const TArchiveListing::RListRow& row : page.Rows) {
        texts.append(row.Text);
    }
    return texts;
}

TEST(ArchiveListingTest, FoldersWithoutEntriesAreMadeFromTheFilePaths)
{
    const TArchiveListing listing(QStringLiteral("d:\\a.rar"),
                                  {file("a.txt", 1), file("docs\\b.txt", 2)}, Stamp, C);
    ASSERT_EQ(listing.InfoFiles().size(), 2);
    const auto& root = listing.InfoFiles().at(0);
    const auto& docs = listing.InfoFiles().at(1);
    EXPECT_EQ(root.Dir, QString());
    EXPECT_EQ(rowTexts(root), QStringList({"docs", "a.txt"})) << "subfolders first";
    EXPECT_EQ(root.Rows.at(0).Link, docs.Page);
    EXPECT_EQ(docs.Dir, QStringLiteral("docs"));
    EXPECT_EQ(rowTexts(docs), QStringList({"..", "b.txt"}));
    EXPECT_EQ(docs.Rows.at(0).Link, root.Page);
    EXPECT_EQ(docs.Rows.at(1).Link, QStringLiteral("docs\\b.txt")) << "the path inside the archive";
    EXPECT_EQ(root.Page, QStringLiteral("as_01234567890.htm"));
    EXPECT_EQ(docs.Page, QStringLiteral("as_11234567890.htm"));
}

TEST(ArchiveListingTest, DeepFoldersGetEveryParentAndFolderEntriesKeepTheirOrder)
{
    const TArchiveListing listing(
        QStringLiteral("d:\\a.rar"),
        {folder("x", 5), file("x\\y\\z\\deep.txt", 1), folder("Empty", 7), file("X\\top.txt", 3)},
        Stamp, C);
    QStringList names;
    for (const auto& dir : listing.Folders()) {
        names.append(dir.Name);
    }
    EXPECT_EQ(names, QStringList({"", "x", "Empty", "x\\y\\z", "x\\y"}));
    EXPECT_EQ(rowTexts(listing.InfoFiles().at(1)), QStringList({"..", "y", "top.txt"}))
        << "letter case is ignored between X\\top.txt and x";
    const auto& z = listing.InfoFiles().at(3);
    EXPECT_EQ(z.Rows.at(0).Link, listing.InfoFiles().at(4).Page) << ".. leads to x\\y";
}

TEST(ArchiveListingTest, SizesInBytesBelowAThousandElseThousandsRoundedHalfToEven)
{
    EXPECT_EQ(TArchiveListing::SizeText(0, C), QStringLiteral("0 байт"));
    EXPECT_EQ(TArchiveListing::SizeText(999, C), QStringLiteral("999 байт"));
    EXPECT_EQ(TArchiveListing::SizeText(1000, C), QStringLiteral("1 Кбайт"));
    EXPECT_EQ(TArchiveListing::SizeText(1500, C), QStringLiteral("2 Кбайт"));
    EXPECT_EQ(TArchiveListing::SizeText(2500, C), QStringLiteral("2 Кбайт"));
    EXPECT_EQ(TArchiveListing::SizeText(2501, C), QStringLiteral("3 Кбайт"));
    EXPECT_EQ(TArchiveListing::SizeText(1234567, C), QStringLiteral("1,235 Кбайт"));
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    EXPECT_EQ(TArchiveListing::SizeText(1234567, russian),
              QStringLiteral("1") + russian.groupSeparator() + QStringLiteral("235 Кбайт"));
    EXPECT_EQ(TArchiveListing::SizeText(5'000'000'000'000, C),
              QStringLiteral("5,000,000,000 Кбайт"))
        << "sizes beyond 32 bits are not cut";
}

TEST(ArchiveListingTest, TimesAreDayShortMonthYearHourMinuteAndZeroIsEmpty)
{
    const quint32 time = DosDateTime(QDateTime(QDate(2003, 6, 1), QTime(14, 7, 58)));
    EXPECT_EQ(TArchiveListing::TimeText(time, C), QStringLiteral("01 Jun 03 14:07"));
    EXPECT_EQ(TArchiveListing::TimeText(0, C), QString());
    EXPECT_EQ(TArchiveListing::TimeText(0xffffffff, C), QString()) << "month 15 is no date";
    const TArchiveListing listing(QStringLiteral("d:\\a.rar"), {folder("dir", 0)}, Stamp, C);
    EXPECT_EQ(listing.InfoFiles().at(0).Rows.at(0).Time, 0u);
    const QString page =
        CodePage::fromCp1251(listing.Pages().value(listing.InfoFiles().at(0).Page));
    EXPECT_TRUE(page.contains(QStringLiteral("<td width=\"25%\"></td>"))) << page.toStdString();
}

TEST(ArchiveListingTest, DosDateTimesGoBothWays)
{
    const QDateTime when(QDate(2107, 12, 31), QTime(23, 59, 58));
    EXPECT_EQ(FromDosDateTime(DosDateTime(when)), when);
    EXPECT_EQ(DosDateTime(QDateTime(QDate(1979, 12, 31), QTime(0, 0))), 0u);
    EXPECT_EQ(DosDateTime(QDateTime(QDate(1980, 1, 1), QTime(0, 0))), 0x00210000u);
}

TEST(ArchiveListingTest, PlaceholdersAreReplacedOnceEachInTheTemplate)
{
    EXPECT_EQ(TArchiveListing::Fill(QStringLiteral("<a>archivename</a><b>filename</b>"),
                                    {{"archivename", "d:\\filename\\x"}, {"filename", "p.htm"}}),
              QStringLiteral("<a>d:\\filename\\x</a><b>p.htm</b>"));
    const TArchiveListing listing(QStringLiteral("D:\\filename\\a.rar"), {file("f.txt", 1)}, Stamp,
                                  C);
    EXPECT_EQ(listing.FramesetPage(), QStringLiteral("as_a.rar.htm"));
    const QByteArray expected = CodePage::toCp1251(
        QStringLiteral("<html> <head> <title>Содержимое архива: D:\\filename\\a.rar</title> "
                       "</head> <frameset rows=\"50,*\" frameborder=0> <frame src=\"as_bar.htm\" "
                       "name=\"Top\"> <frame src=\"as_01234567890.htm\" name=\"Bot\"> "
                       "</frameset> </head> </html>\r\n"));
    EXPECT_EQ(listing.Pages().value(QStringLiteral("as_a.rar.htm")), expected);
}

TEST(ArchiveListingTest, PagesAreWindows1251LinesEndedByCrLf)
{
    const TArchiveListing listing(
        QStringLiteral("d:\\п.rar"),
        {file("Файл.txt", 1500, DosDateTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5))))}, Stamp, C);
    const QByteArray bar = listing.Pages().value(QStringLiteral("as_bar.htm"));
    const QList<QByteArray> barLines = bar.split('\n');
    ASSERT_EQ(barLines.size(), 4);
    EXPECT_TRUE(barLines.at(0).startsWith("<html> <head> <meta http-equiv"));
    EXPECT_TRUE(barLines.at(0).contains("<title>archivename</title>")) << "the bar is unchanged";
    EXPECT_TRUE(barLines.at(1).contains(CodePage::toCp1251(QStringLiteral("nowrap>Имя</th>"))));
    EXPECT_EQ(barLines.at(2), QByteArray("</table> </body> </html>\r"));
    EXPECT_EQ(barLines.at(3), QByteArray());

    const QByteArray root = listing.Pages().value(listing.InfoFiles().at(0).Page);
    const QList<QByteArray> lines = root.split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(
        lines.at(0).contains(CodePage::toCp1251(QStringLiteral("Содержимое архива: d:\\п.rar"))));
    EXPECT_EQ(lines.at(1),
              CodePage::toCp1251(QStringLiteral(
                  "<tr> <td width=\"50%\"><a href=\"Файл.txt\">Файл.txt</a></td><td "
                  "align=\"right\" width=\"25%\">2 Кбайт</td> <td width=\"25%\">03 Feb 01 "
                  "04:05</td> </tr>\r")));
}

TEST(ArchiveListingTest, NamesAreNotTakenForMarkup)
{
    const TArchiveListing listing(QStringLiteral("d:\\a.rar"), {file("a\"><b>x.txt", 1)}, Stamp, C);
    const QByteArray root = listing.Pages().value(listing.InfoFiles().at(0).Page);
    EXPECT_TRUE(root.contains("href=\"a&quot;&gt;&lt;b&gt;x.txt\"")) << root.toStdString();
}

TEST(ArchivePathsTest, MangledPathsHaveNoBackslashColonOrExtensionDot)
{
    EXPECT_EQ(MangleArchivePath(QStringLiteral("D:\\games\\pack.rar")),
              QStringLiteral("D__games_pack_rar"));
    EXPECT_EQ(MangleArchivePath(QStringLiteral("d:\\v1.2\\pack")), QStringLiteral("d__v1.2_pack"));
    EXPECT_EQ(MangleArchivePath(QStringLiteral("c:\\a.b\\x.tar.rar")),
              QStringLiteral("c__a.b_x.tar_rar"));
}

TEST(ArchivePathsTest, LaterVolumesKeepTheNamingOfTheFirst)
{
    EXPECT_EQ(LaterVolumeNames(QStringLiteral("x.part1.rar"), 2),
              QStringList({"x.part2.rar", "x.part3.rar"}));
    EXPECT_EQ(LaterVolumeNames(QStringLiteral("x.PART09.RAR"), 2),
              QStringList({"x.PART10.RAR", "x.PART11.RAR"}));
    EXPECT_EQ(LaterVolumeNames(QStringLiteral("old.rar"), 2), QStringList({"old.r00", "old.r01"}));
    EXPECT_EQ(LaterVolumeNames(QStringLiteral("old.rar"), 500).size(), 100);
    EXPECT_TRUE(LaterVolumeNames(QStringLiteral("note.txt"), 2).isEmpty());
}

} // namespace
