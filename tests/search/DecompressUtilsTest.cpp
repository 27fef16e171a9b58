#include "search/index/DecompressUtils.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// A pipe-like device that hands out at most a few bytes per read, so the
// block-wise reading of devices other than memory buffers is exercised.
class TrickleDevice : public QIODevice {
public:
    explicit TrickleDevice(QByteArray bytes) : bytes_(std::move(bytes))
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override
    {
        return bytes_.size() - at_ + QIODevice::bytesAvailable();
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 count = std::min({maxSize, qint64(7), qint64(bytes_.size()) - at_});
        if (count <= 0) {
            return -1;
        }
        memcpy(data, bytes_.constData() + at_, size_t(count));
        at_ += count;
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 at_ = 0;
};

struct Line {
    QByteArray text;
    bool more;
    bool operator==(const Line&) const = default;
};

// What a byte-by-byte reader gives: the meaning the block reader must keep.
QList<Line> modelLines(const QByteArray& bytes)
{
    QList<Line> lines;
    QByteArray current;
    for (const char byte : bytes) {
        if (byte == '\r') {
            lines.append({current, true});
            current.clear();
        } else if (byte != '\n') {
            current.append(byte);
        }
    }
    lines.append({current, false});
    return lines;
}

QList<Line> readAllLines(QIODevice& device)
{
    QList<Line> lines;
    QByteArray line;
    bool more = true;
    while (more && lines.size() < 1000000) {
        more = ReadStreamLine(device, line);
        lines.append({line, more});
    }
    return lines;
}

QList<Line> bufferLines(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readAllLines(buffer);
}

QList<Line> trickleLines(const QByteArray& bytes)
{
    TrickleDevice device(bytes);
    return readAllLines(device);
}

} // namespace

TEST(ReadStreamLine, CarriageReturnEndsALineAndLineFeedsVanish)
{
    const QList<Line> expected{{"a", true}, {"bc", true}, {"d", true}, {"e", false}};
    EXPECT_EQ(bufferLines("a\r\nb\nc\rd\r\ne"), expected);
    EXPECT_EQ(trickleLines("a\r\nb\nc\rd\r\ne"), expected);
}

TEST(ReadStreamLine, EndOfStreamReturnsTheLastLineWithFalse)
{
    EXPECT_EQ(bufferLines("last"), QList<Line>({{"last", false}}));
    EXPECT_EQ(bufferLines("one\r\n"), QList<Line>({{"one", true}, {"", false}}))
        << "a closing CR LF leaves a final empty line";
    EXPECT_EQ(bufferLines(""), QList<Line>({{"", false}}));
    EXPECT_EQ(bufferLines("\n\n"), QList<Line>({{"", false}}));
    EXPECT_EQ(trickleLines(""), QList<Line>({{"", false}}));
}

TEST(ReadStreamLine, BlockReadingKeepsTheByteByByteMeaning)
{
    QRandomGenerator random(20240611);
    const char alphabet[] = {'\r', '\n', 'a', '\0', '\xE0', ' '};
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes(random.bounded(3000), Qt::Uninitialized);
        for (char& byte : bytes) {
            byte = alphabet[random.bounded(int(sizeof alphabet))];
        }
        if (round % 10 == 0) {
            bytes.insert(random.bounded(bytes.size() + 1), QByteArray(5000, 'x'));
        }
        const QList<Line> expected = modelLines(bytes);
        ASSERT_EQ(bufferLines(bytes), expected) << "round " << round;
        ASSERT_EQ(trickleLines(bytes), expected) << "round " << round;
    }
}

TEST(ReadStreamLine, LeavesTheStreamJustAfterTheReturn)
{
    QBuffer buffer;
    buffer.setData("first\r\nsecond\rthird");
    buffer.open(QIODevice::ReadOnly);
    QByteArray line;
    ASSERT_TRUE(ReadStreamLine(buffer, line));
    EXPECT_EQ(buffer.pos(), 6);
    EXPECT_EQ(buffer.read(1), "\n");
    ASSERT_TRUE(ReadStreamLine(buffer, line));
    EXPECT_EQ(line, "second");
    EXPECT_EQ(buffer.readAll(), "third");
    EXPECT_FALSE(ReadStreamLine(buffer, line));
    EXPECT_TRUE(line.isEmpty());
}

TEST(ReadStreamLine, AnUnreadableStreamEndsAtOnce)
{
    QBuffer closed;
    closed.setData("data\r");
    QByteArray line = "stale";
    EXPECT_FALSE(ReadStreamLine(closed, line));
    EXPECT_TRUE(line.isEmpty());
}

TEST(ReadStreamLine, TextIsDecodedFromWindows1251)
{
    QBuffer buffer;
    buffer.setData("\xCC\xEE\xF2\xEE\xF0\r\n\xB8\xEB\xEA\xE0");
    buffer.open(QIODevice::ReadOnly);
    QString line;
    EXPECT_TRUE(ReadStreamLine(buffer, line));
    EXPECT_EQ(line, QStringLiteral("Мотор"));
    EXPECT_FALSE(ReadStreamLine(buffer, line));
    EXPECT_EQ(line, QStringLiteral("ёлка"));
}
