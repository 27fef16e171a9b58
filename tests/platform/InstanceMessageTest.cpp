#include "platform/InstanceMessage.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray validFrame()
{
    RInstanceMessage message = RInstanceMessage::single(RInstanceMessage::KindAskShown,
                                                        QStringLiteral("c:\\pics\\car.jpg"));
    return message.encode();
}

quint16 u16At(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

qint32 s32At(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

} // namespace

TEST(InstanceMessage, EncodesEveryFieldAtItsOffsetLittleEndian)
{
    RInstanceMessage message;
    message.Kind = RInstanceMessage::KindPrintFile;
    message.Count = 3;
    message.Selectors = {0, 1, -2};
    message.Texts = {QStringLiteral("c:\\temp\\a.bmp"), QStringLiteral("640"),
                     QStringLiteral("Ширина")};
    const QByteArray bytes = message.encode();

    ASSERT_EQ(bytes.size(), 840);
    EXPECT_EQ(u16At(bytes, 0), 1);
    EXPECT_EQ(u16At(bytes, 2), 3);
    EXPECT_EQ(bytes.mid(0, 4), QByteArray("\x01\x00\x03\x00", 4));
    EXPECT_EQ(s32At(bytes, 4), 0);
    EXPECT_EQ(s32At(bytes, 8), 1);
    EXPECT_EQ(bytes.mid(12, 4), QByteArray("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(bytes.mid(16, 14), QByteArray("c:\\temp\\a.bmp\0", 14));
    EXPECT_EQ(bytes.mid(16 + 274, 4), QByteArray("640\0", 4));
    EXPECT_EQ(bytes.mid(16 + 548, 13), QStringLiteral("Ширина").toUtf8() + '\0');
    EXPECT_EQ(bytes.mid(838, 2), QByteArray(2, '\0'));
    // Slot padding stays zero, so equal records give equal bytes.
    EXPECT_EQ(bytes.mid(16 + 14, 274 - 14), QByteArray(274 - 14, '\0'));

    const auto decoded = RInstanceMessage::decode(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, message);
}

TEST(InstanceMessage, SingleRequestsUseTheFirstSlot)
{
    const RInstanceMessage message =
        RInstanceMessage::single(RInstanceMessage::KindOpenPage, QStringLiteral("a.htm"));
    EXPECT_EQ(message.Kind, 0);
    EXPECT_EQ(message.Count, 1);
    EXPECT_EQ(message.Selectors, (std::array<qint32, 3>{0, 0, 0}));
    EXPECT_EQ(message.Texts[0], QStringLiteral("a.htm"));
    EXPECT_TRUE(message.Texts[1].isEmpty());
}

TEST(InstanceMessage, LongTextsAreCutAtACharacterBoundary)
{
    // 136 two-byte letters are 272 bytes; one more would pass the 273 allowed.
    const QString cyrillic = QString(137, QChar(0x0416));
    RInstanceMessage message = RInstanceMessage::single(0, cyrillic);
    const QByteArray bytes = message.encode();
    const auto decoded = RInstanceMessage::decode(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->Texts[0], QString(136, QChar(0x0416)));
    EXPECT_EQ(bytes.at(16 + 272), '\0');

    message.Texts[0] = QString(300, QLatin1Char('a'));
    EXPECT_EQ(RInstanceMessage::decode(message.encode())->Texts[0], QString(273, QLatin1Char('a')));

    // A four-byte character straddling the limit goes whole.
    const QString emoji = QString(271, QLatin1Char('b')) + QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_EQ(RInstanceMessage::cutUtf8(emoji, 273), QByteArray(271, 'b'));
    EXPECT_EQ(RInstanceMessage::cutUtf8(emoji, 275), emoji.toUtf8());
}

TEST(InstanceMessage, MalformedFramesAreRejected)
{
    const QByteArray valid = validFrame();
    ASSERT_TRUE(RInstanceMessage::decode(valid));

    EXPECT_FALSE(RInstanceMessage::decode(QByteArray()));
    EXPECT_FALSE(RInstanceMessage::decode(valid.left(839)));
    EXPECT_FALSE(RInstanceMessage::decode(valid + '\0'));

    for (const quint16 kind : {2, 4, 0xFFFF}) {
        QByteArray unknown = valid;
        qToLittleEndian<quint16>(kind, unknown.data());
        EXPECT_FALSE(RInstanceMessage::decode(unknown)) << kind;
    }
    for (int slot = 0; slot < 3; ++slot) {
        QByteArray unterminated = valid;
        unterminated.replace(16 + 274 * slot, 274, QByteArray(274, 'x'));
        EXPECT_FALSE(RInstanceMessage::decode(unterminated)) << slot;
    }
}

TEST(InstanceMessage, BytesAfterTheTerminatorAndTheReservedFieldAreIgnored)
{
    QByteArray bytes = validFrame();
    bytes[16 + 200] = 'z';
    bytes[838] = '\x7F';
    const auto decoded = RInstanceMessage::decode(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->Texts[0], QStringLiteral("c:\\pics\\car.jpg"));
    EXPECT_EQ(decoded->Kind, RInstanceMessage::KindAskShown);
}

TEST(InstanceMessage, InvalidUtf8DecodesWithoutLeavingTheSlot)
{
    QByteArray bytes = validFrame();
    bytes.replace(16, 4, QByteArray("\xD0\xFF\xC3\0", 4));
    const auto decoded = RInstanceMessage::decode(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_LE(decoded->Texts[0].size(), 3);
}
