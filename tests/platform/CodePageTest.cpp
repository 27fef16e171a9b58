#include "platform/CodePage.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

QByteArray allBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) {
        bytes.append(char(b));
    }
    return bytes;
}

} // namespace

TEST(CodePage, EveryByteOfBothPagesSurvivesARoundTrip)
{
    const QByteArray bytes = allBytes();
    const QString cp1251 = CodePage::fromCp1251(bytes);
    const QString cp866 = CodePage::fromCp866(bytes);
    ASSERT_EQ(cp1251.size(), 256);
    ASSERT_EQ(cp866.size(), 256);
    EXPECT_EQ(CodePage::toCp1251(cp1251), bytes);
    EXPECT_EQ(CodePage::toCp866(cp866), bytes);
    EXPECT_TRUE(CodePage::canEncodeCp1251(cp1251));
    // Every byte decodes to its own character.
    EXPECT_EQ(QSet<QChar>(cp1251.begin(), cp1251.end()).size(), 256);
    EXPECT_EQ(QSet<QChar>(cp866.begin(), cp866.end()).size(), 256);
}

TEST(CodePage, KnownLettersSitWhereWindowsPutsThem)
{
    EXPECT_EQ(CodePage::toCp1251(QStringLiteral("АЯаяЁё№€")),
              QByteArray("\xC0\xDF\xE0\xFF\xA8\xB8\xB9\x88"));
    EXPECT_EQ(CodePage::fromCp1251("\xCF\xF0\xE8\xE2\xE5\xF2 \x97 1"),
              QStringLiteral("Привет — 1"));
    EXPECT_EQ(CodePage::toCp866(QStringLiteral("АПаперяЁё")),
              QByteArray("\x80\x8F\xA0\xAF\xA5\xE0\xEF\xF0\xF1"));
    EXPECT_EQ(CodePage::fromCp866("\x8F\xE0\xA8\xA2\xA5\xE2\xB0\xDB"), QStringLiteral("Привет░█"));
}

TEST(CodePage, UnencodableCharactersBecomeOneQuestionMarkEach)
{
    const QString text =
        QStringLiteral("a中b") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("c─");
    EXPECT_EQ(CodePage::toCp1251(text), QByteArray("a?b?c?"));
    EXPECT_EQ(CodePage::toCp866(QStringLiteral("€─x")), QByteArray("?\xC4x"));
    EXPECT_FALSE(CodePage::canEncodeCp1251(QStringLiteral("ok中")));
    EXPECT_TRUE(CodePage::canEncodeCp1251(QStringLiteral("Ура! «текст»")));
    EXPECT_EQ(CodePage::toCp1251(QStringLiteral("?")), QByteArray("?"));
}

TEST(CodePage, NulAndEmptyInputPassThrough)
{
    const QByteArray withNul("a\0b", 3);
    EXPECT_EQ(CodePage::fromCp1251(withNul).size(), 3);
    EXPECT_EQ(CodePage::toCp1251(CodePage::fromCp1251(withNul)), withNul);
    EXPECT_TRUE(CodePage::canEncodeCp1251(QString(QChar(0))));
    EXPECT_TRUE(CodePage::fromCp866(QByteArray()).isEmpty());
    EXPECT_TRUE(CodePage::toCp866(QString()).isEmpty());
}
