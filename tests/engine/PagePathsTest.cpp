#include "engine/PagePaths.h"

#include "data/PageCharset.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace PagePaths;

TEST(PagePaths, RelativeLinksResolveAgainstThePageFolderWithWindowsRules)
{
    const QString page = QStringLiteral("d:\\run\\html\\page.htm");
    EXPECT_EQ(Expand(page, QStringLiteral("other.htm")),
              QStringLiteral("d:\\run\\html\\other.htm"));
    EXPECT_EQ(Expand(page, QStringLiteral("pics/car.jpg")),
              QStringLiteral("d:\\run\\html\\pics\\car.jpg"));
    EXPECT_EQ(Expand(page, QStringLiteral("../pics\\..\\a/./b.htm")),
              QStringLiteral("d:\\run\\a\\b.htm"));
    EXPECT_EQ(Expand(page, QStringLiteral("..\\..\\..\\..\\x.htm")), QStringLiteral("d:\\x.htm"));
    EXPECT_EQ(Expand(page, QStringLiteral("/top/x.htm")), QStringLiteral("d:\\top\\x.htm"));
    EXPECT_EQ(Expand(page, QStringLiteral("c:\\docs\\y.htm")), QStringLiteral("c:\\docs\\y.htm"));
    EXPECT_EQ(Expand(page, QStringLiteral("my%20file.htm")),
              QStringLiteral("d:\\run\\html\\my file.htm"));
    EXPECT_EQ(Expand(page, QStringLiteral("100%.htm")), QStringLiteral("d:\\run\\html\\100%.htm"));
}

TEST(PagePaths, AnchorsStayAndSchemesAreLeftAlone)
{
    const QString page = QStringLiteral("d:\\run\\html\\page.htm");
    EXPECT_EQ(Expand(page, QStringLiteral("b.htm#part2")),
              QStringLiteral("d:\\run\\html\\b.htm#part2"));
    EXPECT_EQ(Expand(page, QStringLiteral("#top")), QStringLiteral("d:\\run\\html\\page.htm#top"));
    EXPECT_EQ(Expand(page, QStringLiteral("b.htm?x=1")), QStringLiteral("d:\\run\\html\\b.htm"));
    EXPECT_EQ(Expand(page, QStringLiteral("http://example.org/a/b")),
              QStringLiteral("http://example.org/a/b"));
    EXPECT_EQ(Expand(page, QStringLiteral("printhtml:doc.htm")),
              QStringLiteral("printhtml:doc.htm"));
    EXPECT_EQ(Expand(page, QStringLiteral("file:///d:/run/x%20y.htm")),
              QStringLiteral("d:\\run\\x y.htm"));
}

TEST(PagePaths, SchemesNeedTwoLettersSoDrivesAreNone)
{
    EXPECT_TRUE(HasScheme(QStringLiteral("mailto:a@b")));
    EXPECT_TRUE(HasScheme(QStringLiteral("rungame:=setup=key")));
    EXPECT_FALSE(HasScheme(QStringLiteral("d:\\run\\x.htm")));
    EXPECT_FALSE(HasScheme(QStringLiteral("pages/x.htm")));
    EXPECT_FALSE(HasScheme(QStringLiteral("a b:c")));
    EXPECT_FALSE(HasScheme(QStringLiteral("1x:y")));
}

TEST(PagePaths, KindsFollowTheExtension)
{
    EXPECT_EQ(KindOf(QStringLiteral("d:\\a\\readme.TXT")), PageKind::Text);
    EXPECT_EQ(KindOf(QStringLiteral("file_id.diz")), PageKind::Text);
    EXPECT_EQ(KindOf(QStringLiteral("setup.inf")), PageKind::Text);
    EXPECT_EQ(KindOf(QStringLiteral("car.JPEG")), PageKind::Picture);
    EXPECT_EQ(KindOf(QStringLiteral("x.gif#a")), PageKind::Picture);
    EXPECT_EQ(KindOf(QStringLiteral("x.htm")), PageKind::Html);
    EXPECT_EQ(ExtensionOf(QStringLiteral("d:\\a.b\\file")), QString());
    EXPECT_TRUE(IsViewable(QStringLiteral("x.html")));
    EXPECT_TRUE(IsViewable(QStringLiteral("x.bmp")));
    EXPECT_FALSE(IsViewable(QStringLiteral("x.zip")));
    EXPECT_FALSE(IsViewable(QStringLiteral("setup.exe")));
}

TEST(PageCharset, PagesAreWindows1251UnlessTheyDeclareAnother)
{
    const QString russian = QStringLiteral("Привет, мир");
    const QByteArray cp1251 = "<p>\xcf\xf0\xe8\xe2\xe5\xf2, \xec\xe8\xf0</p>";
    EXPECT_TRUE(PageCharset::DecodePage(cp1251).contains(russian));

    const QByteArray utf8 = "<meta charset=\"utf-8\"><p>" + russian.toUtf8() + "</p>";
    EXPECT_EQ(PageCharset::Declared(utf8), QStringLiteral("utf-8"));
    EXPECT_TRUE(PageCharset::DecodePage(utf8).contains(russian));

    QStringEncoder toKoi8("koi8-r");
    ASSERT_TRUE(toKoi8.isValid());
    const QByteArray koi8 = "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                            "charset=KOI8-R\"><p>" +
                            QByteArray(toKoi8.encode(russian)) + "</p>";
    EXPECT_EQ(PageCharset::Declared(koi8), QStringLiteral("koi8-r"));
    EXPECT_TRUE(PageCharset::DecodePage(koi8).contains(russian));
}

TEST(PageCharset, ByteOrderMarksWinAndUnknownNamesFallBack)
{
    const QString russian = QStringLiteral("Ёжик");
    const QByteArray marked = "\xEF\xBB\xBF<meta charset=windows-1251>" + russian.toUtf8();
    EXPECT_TRUE(PageCharset::DecodePage(marked).endsWith(russian));
    EXPECT_TRUE(PageCharset::DecodeText("\xEF\xBB\xBF" + russian.toUtf8()) == russian);

    const QByteArray unknown = "<meta charset=no-such-charset>\xc0";
    EXPECT_TRUE(PageCharset::DecodePage(unknown).endsWith(QStringLiteral("А")));
    EXPECT_EQ(PageCharset::Declared("<p>no declaration</p>"), QString());
    EXPECT_EQ(PageCharset::DecodeText("\xc0\xc1"), QStringLiteral("АБ"));
}
