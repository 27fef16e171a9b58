#include "engine/HtmlTagScanner.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

// Entities of pages and attributes, including the texts a hostile page
// would make of them.
TEST(DecodeEntities, NamedNumericAndUnknownEntities)
{
    EXPECT_EQ(DecodeEntities(QStringLiteral("a&amp;b &lt;&gt; &#1040;")),
              QStringLiteral("a&b <> А"));
    EXPECT_EQ(DecodeEntities(QStringLiteral("&&&amp;;")), QStringLiteral("&&&;"));
    EXPECT_EQ(DecodeEntities(QStringLiteral("&amp")), QStringLiteral("&amp"));
    // The ";" of an entity comes within eight characters or not at all.
    EXPECT_EQ(DecodeEntities(QStringLiteral("&verylongname;")), QStringLiteral("&verylongname;"));
    EXPECT_EQ(DecodeEntities(QStringLiteral("&#001040;")), QStringLiteral("А"));
    EXPECT_EQ(DecodeEntities(QStringLiteral("&#0001040;")), QStringLiteral("&#0001040;"));
}

TEST(DecodeEntities, AMegabyteOfAmpersandsStaysLinear)
{
    const QString ampersands(1024 * 1024, QLatin1Char('&'));
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(DecodeEntities(ampersands + QLatin1Char(';')), ampersands + QLatin1Char(';'));
    const QString many = QStringLiteral("&amp;").repeated(220000);
    EXPECT_EQ(DecodeEntities(many), QString(220000, QLatin1Char('&')));
    EXPECT_LT(timer.elapsed(), 1000) << "well under a second for a megabyte";
}
