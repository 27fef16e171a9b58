#include "data/ConfigText.h"

#include "platform/CodePage.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

TDynamicStringArray decode(const QByteArray& buffer, bool lowerCase = false)
{
    TDynamicStringArray lines;
    DecodeConfig(buffer, lines, lowerCase);
    return lines;
}

TDynamicStringArray decodeText(const QString& text, bool lowerCase = false)
{
    return decode(EncodeConfig(CodePage::toCp1251(text)), lowerCase);
}

// The lines of a byte text split at every CR LF, read from the left.
TDynamicStringArray splitAtLineBreaks(const QByteArray& text)
{
    TDynamicStringArray lines;
    qsizetype start = 0;
    for (qsizetype at = text.indexOf("\r\n"); at >= 0; at = text.indexOf("\r\n", start)) {
        lines.append(CodePage::fromCp1251(text.mid(start, at - start)));
        start = at + 2;
    }
    lines.append(CodePage::fromCp1251(text.mid(start)));
    return lines;
}

TEST(DecodeConfig, KnownBuffers)
{
    EXPECT_EQ(decode(QByteArray::fromHex("005e9651")), TDynamicStringArray{QStringLiteral("ab")});
    // An odd length: the last byte carries no text, the key starts at 3.
    EXPECT_EQ(decode(QByteArray::fromHex("005e77")), TDynamicStringArray{QStringLiteral("a")});
    // Length 18: keys 18, 36, 72, 144, 32, 64, 128 and then 0, a running sum after that.
    EXPECT_EQ(DecodeConfigText(QByteArray(18, '\0')), QByteArray::fromHex("eeeeeeeeeeee2e7e12"));
    // A length that is a multiple of 256 has no key at all.
    QByteArray plainSum(256, '\0');
    plainSum[1] = 'x';
    EXPECT_EQ(DecodeConfigText(plainSum), QByteArray(128, 'x'));
}

TEST(DecodeConfig, EmptyAndOneByteBuffers)
{
    EXPECT_TRUE(decode(QByteArray()).isEmpty());
    EXPECT_EQ(decode(QByteArray(1, 'z')), TDynamicStringArray{QString()});
    EXPECT_TRUE(DecodeConfigText(QByteArray(1, 'z')).isEmpty());
}

TEST(DecodeConfig, LineBreaks)
{
    EXPECT_EQ(decodeText(QStringLiteral("one\r\ntwo")),
              (TDynamicStringArray{QStringLiteral("one"), QStringLiteral("two")}));
    EXPECT_EQ(decodeText(QStringLiteral("last\r\n")),
              (TDynamicStringArray{QStringLiteral("last"), QString()}));
    EXPECT_EQ(decodeText(QStringLiteral("\r\n\r\n")), (TDynamicStringArray{{}, {}, {}}));
    // Lone carriage returns and line feeds stay in the line, a final one too.
    EXPECT_EQ(decodeText(QStringLiteral("a\rb\nc\n\r")),
              TDynamicStringArray{QStringLiteral("a\rb\nc\n\r")});
    EXPECT_EQ(decodeText(QStringLiteral("end\r")), TDynamicStringArray{QStringLiteral("end\r")});
    EXPECT_EQ(decodeText(QStringLiteral("x\r\r\ny")),
              (TDynamicStringArray{QStringLiteral("x\r"), QStringLiteral("y")}));
}

TEST(DecodeConfig, LowerCasesOnlyLatinLetters)
{
    EXPECT_EQ(decodeText(QStringLiteral("Title=Книга"), true),
              TDynamicStringArray{QStringLiteral("title=Книга")});
    EXPECT_EQ(decodeText(QStringLiteral("AZ@[`az ЖЯё"), true),
              TDynamicStringArray{QStringLiteral("az@[`az ЖЯё")});
    EXPECT_EQ(decodeText(QStringLiteral("Title=Книга"), false),
              TDynamicStringArray{QStringLiteral("Title=Книга")});
}

TEST(DecodeConfig, AppendsToTheGivenLines)
{
    TDynamicStringArray lines{QStringLiteral("before")};
    DecodeConfig(EncodeConfig("after"), lines, false);
    EXPECT_EQ(lines, (TDynamicStringArray{QStringLiteral("before"), QStringLiteral("after")}));
}

TEST(EncodeConfig, IsDeterministicAndTwiceAsLong)
{
    const QByteArray text("vx=10;vy=20\r\nfn1=up.bmp");
    const QByteArray encoded = EncodeConfig(text);
    EXPECT_EQ(encoded.size(), 2 * text.size());
    EXPECT_EQ(encoded, EncodeConfig(text));
    EXPECT_TRUE(EncodeConfig(QByteArray()).isEmpty());
}

TEST(EncodeConfig, RoundTripsRandomTexts)
{
    QRandomGenerator random(20240611);
    const QByteArray alphabet("ab=;[]\r\n\r\n\0\x01\xC0\xFF\xE9 ", 16);
    for (int round = 0; round < 300; ++round) {
        QByteArray text(random.bounded(0, 700), '\0');
        for (char& c : text) {
            c = round % 2 ? alphabet[random.bounded(alphabet.size())] : char(random.bounded(256));
        }
        const QByteArray encoded = EncodeConfig(text);
        ASSERT_EQ(DecodeConfigText(encoded), text) << "round " << round;
        if (!text.isEmpty()) {
            ASSERT_EQ(decode(encoded), splitAtLineBreaks(text)) << "round " << round;
        }
    }
}

TEST(DecodeConfig, AnyBufferDecodesWithoutFailing)
{
    QRandomGenerator random(7);
    for (int length = 0; length < 600; ++length) {
        QByteArray buffer(length, '\0');
        for (char& c : buffer) {
            c = char(random.bounded(256));
        }
        const TDynamicStringArray lines = decode(buffer, length % 2 == 0);
        qsizetype characters = 0;
        for (const QString& line : lines) {
            characters += line.size();
        }
        // Every text character lands in a line or in a line break.
        ASSERT_EQ(lines.isEmpty(), length == 0);
        if (length > 0) {
            EXPECT_EQ(characters + 2 * (lines.size() - 1), length / 2);
        }
    }
}

} // namespace
