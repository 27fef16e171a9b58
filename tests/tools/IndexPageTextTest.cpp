#include "IndexPageText.h"

#include "IndexBuilder.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace {

QStringList wordsOfPage(const QByteArray& bytes)
{
    return IndexBuilder::wordsOf(IndexPageText(bytes).text());
}

QStringList lines(const QByteArray& bytes)
{
    QStringList list = CodePage::fromCp1251(bytes).split(QStringLiteral("\r\n"));
    EXPECT_EQ(list.takeLast(), QString()) << "every line ends in CR LF";
    return list;
}

} // namespace

TEST(IndexPageText, VisibleTextLeavesMarkupScriptsAndCommentsOut)
{
    const QByteArray page =
        QStringLiteral("<html><head><meta charset=\"utf-8\"><title>Глава &laquo;1&raquo;"
                       "</title><style>p { color: red }</style>"
                       "<script type=\"text/javascript\">var маяк = '<p>';</script></head>"
                       "<body><!-- скрытое --><p title=\"a > скрытое\">Видимое "
                       "при<b>мер</b>&nbsp;&#1078;&#x416;&amp;&bogus; 1 < 2</p>"
                       "<SCRIPT>скрытое</SCRIPT >конец</body></html>")
            .toUtf8();
    const IndexPageText text(page);
    EXPECT_EQ(text.title(), QStringLiteral("Глава «1»"));
    EXPECT_EQ(wordsOfPage(page),
              QStringList({"глава", "видимое", "пример", "жж", "bogus", "конец"}));
    EXPECT_TRUE(text.text().contains(QStringLiteral("1 < 2")));
    EXPECT_TRUE(text.text().contains(QStringLiteral("&bogus;")));
}

TEST(IndexPageText, CharsetComesFromTheMarkOrTheDeclarationElseWindows1251)
{
    const QString russian = QStringLiteral("<p>Ёлка и маяк</p>");
    EXPECT_EQ(wordsOfPage(CodePage::toCp1251(russian)), QStringList({"ёлка", "маяк"}));
    EXPECT_EQ(wordsOfPage("\xEF\xBB\xBF" + russian.toUtf8()), QStringList({"ёлка", "маяк"}));
    const QByteArray declared =
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset = 'UTF-8'\">" +
        russian.toUtf8();
    EXPECT_EQ(IndexPageText::declaredCharset(declared), QStringLiteral("utf-8"));
    EXPECT_EQ(wordsOfPage(declared), QStringList({"ёлка", "маяк"}));
    const QByteArray unknown = "<meta charset=x-no-such-thing>" + CodePage::toCp1251(russian);
    EXPECT_EQ(wordsOfPage(unknown), QStringList({"ёлка", "маяк"}))
        << "an unknown charset reads as Windows-1251";
    EXPECT_EQ(IndexPageText::decode(QByteArray("\xFF\xFE") + QByteArray("\x3C\x04", 2)),
              QStringLiteral("м"));
}

TEST(IndexPageText, UnclosedMarkupEndsTheTextQuietly)
{
    for (const char* page : {"до <!-- никогда", "до <script> никогда", "до <p title=\"никогда",
                             "до &#99999999999; <"}) {
        const IndexPageText text(CodePage::toCp1251(QString::fromUtf8(page)));
        EXPECT_TRUE(CodePage::toCp1251(text.text()).startsWith("\xE4\xEE")) << page;
        EXPECT_FALSE(text.text().contains(QStringLiteral("никогда"))) << page;
        EXPECT_TRUE(text.title().isEmpty()) << page;
    }
}

TEST(IndexWords, RunsOfLettersAndDigitsLowerCased)
{
    EXPECT_EQ(IndexBuilder::wordsOf(QStringLiteral("Мотор, MOTOR-2000; а б x 42 café")),
              QStringList({"мотор", "motor", "2000", "42", "caf"}));
    EXPECT_EQ(IndexBuilder::wordsOf(QStringLiteral("сло\u00ADво уда\u0301рение")),
              QStringList({"слово", "ударение"}))
        << "soft hyphens and stress marks do not split words";
    EXPECT_EQ(IndexBuilder::wordsOf(QStringLiteral("Ђаво мӂаа")), QStringList({"ђаво", "аа"}))
        << "Cyrillic letters outside Windows-1251 split words";
    const QString longRun(IndexBuilder::MaxWordLength + 1, QLatin1Char('z'));
    EXPECT_EQ(IndexBuilder::wordsOf(longRun + QStringLiteral(" ok ") +
                                    QString(IndexBuilder::MaxWordLength, QLatin1Char('y'))),
              QStringList({"ok", QString(IndexBuilder::MaxWordLength, QLatin1Char('y'))}));
}

TEST(IndexWords, FilesAreSortedWindows1251WithCrLf)
{
    IndexBuilder builder;
    builder.addPage(QStringLiteral("b.htm"), QStringLiteral(" Вторая\n#:#страница "),
                    QStringLiteral("Маяк ёлка маяк"));
    builder.addPage(QStringLiteral("pages\\a.htm"), QStringLiteral("Первая"),
                    QStringLiteral("маяк zebra 10"));
    EXPECT_EQ(builder.pageCount(), 2);
    const QStringList keywords = lines(builder.keywordsFile());
    EXPECT_EQ(keywords, QStringList({"10", "zebra", "елка", "маяк", "ёлка"}))
        << "code point order; ёлка is also filed as елка";
    EXPECT_EQ(lines(builder.pageListsFile()), QStringList({"2", "2", "1", "1:2", "1"}));
    EXPECT_EQ(lines(builder.pagesFile()),
              QStringList({"b.htm#:#Вторая #: #страница", "pages\\a.htm#:#Первая"}));
    EXPECT_TRUE(builder.keywordsFile().contains("\xEC\xE0\xFF\xEA")) << "маяк in Windows-1251";
}

TEST(IndexWords, OnlyFileablePathsAreAccepted)
{
    EXPECT_TRUE(IndexBuilder::canFile(QStringLiteral("Статьи\\Статья.htm")));
    for (const QString& bad :
         {QStringLiteral("日本.htm"), QStringLiteral("a#:#b.htm"), QStringLiteral(" lead.htm"),
          QStringLiteral("a\rb.htm"), QString()}) {
        EXPECT_FALSE(IndexBuilder::canFile(bad)) << bad.toStdString();
    }
}
