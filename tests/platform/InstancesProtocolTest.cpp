#include "platform/InstancesProtocol.h"

#include <QElapsedTimer>
#include <QtEndian>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using Type = InstancesProtocol::Type;
using Request = WindowRegistry::Request;

const TWindowHandle peerWindow = (TWindowHandle(4242) << 32) | 7;

QByteArray rawFrame(quint32 length, quint8 version, quint8 type, const QByteArray& payload)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<quint32>(length, bytes.data());
    return bytes + char(version) + char(type) + payload;
}

} // namespace

TEST(InstancesProtocol, FramesArriveWholeWhateverTheChunks)
{
    Request message;
    message.type = Request::Type::Message;
    message.message = 1690;
    message.wParam = 0x1234567890ULL;
    message.lParam = -5;
    const QByteArray stream = InstancesProtocol::request(peerWindow, message) +
                              InstancesProtocol::frame(Type::ListWindows);

    InstanceFrameReader reader(InstancesProtocol::MaxRequestFrame);
    QList<InstancesProtocol::Frame> frames;
    for (const char byte : stream) {
        reader.append(QByteArray(1, byte));
        while (const auto frame = reader.next()) {
            frames.append(*frame);
        }
    }
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[1].type, Type::ListWindows);
    const auto parsed = InstancesProtocol::parseRequest(frames[0]);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->first, peerWindow);
    EXPECT_EQ(parsed->second.message, 1690u);
    EXPECT_EQ(parsed->second.wParam, 0x1234567890ULL);
    EXPECT_EQ(parsed->second.lParam, -5);
}

// 1 MB of the smallest frames in one delivery, then a frame split over the
// next delivery, are cut off in time proportional to their bytes.
TEST(InstancesProtocol, ManySmallFramesAreCutInLinearTime)
{
    const QByteArray one = InstancesProtocol::frame(Type::ListWindows);
    const QByteArray stream = one.repeated(1024 * 1024 / one.size());
    InstanceFrameReader reader(InstancesProtocol::MaxRequestFrame);
    QElapsedTimer timer;
    timer.start();
    qsizetype frames = 0;
    reader.append(stream + one.left(3));
    while (reader.next()) {
        ++frames;
    }
    reader.append(one.mid(3) + stream);
    while (reader.next()) {
        ++frames;
    }
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_EQ(frames, 2 * (stream.size() / one.size()) + 1);
    EXPECT_FALSE(reader.broken());
}

TEST(InstancesProtocol, UnknownTypesAndVersionsAreSkippedAndTheStreamGoesOn)
{
    InstanceFrameReader reader(InstancesProtocol::MaxRequestFrame);
    reader.append(rawFrame(5, 1, 99, "abc") + rawFrame(2, 2, 1, QByteArray()) +
                  InstancesProtocol::frame(Type::ListWindows));
    const auto frame = reader.next();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->type, Type::ListWindows);
    EXPECT_FALSE(reader.next());
    EXPECT_FALSE(reader.broken());
}

TEST(InstancesProtocol, LengthsOutsideTheCapBreakTheStream)
{
    for (const quint32 length : {0u, 1u, 4095u + 2u, 0xFFFFFFFFu}) {
        InstanceFrameReader reader(InstancesProtocol::MaxRequestFrame);
        reader.append(rawFrame(length, 1, 1, QByteArray()));
        reader.append(InstancesProtocol::frame(Type::ListWindows));
        EXPECT_FALSE(reader.next()) << length;
        EXPECT_TRUE(reader.broken()) << length;
    }
}

TEST(InstancesProtocol, RequestsOfTheWrongSizeAreRejected)
{
    Request copy;
    copy.type = Request::Type::CopyData;
    copy.sender = 99;
    copy.data = RInstanceMessage::single(RInstanceMessage::KindOpenPage, QStringLiteral("a.htm"));
    const QByteArray good = InstancesProtocol::request(peerWindow, copy).mid(6);
    ASSERT_EQ(good.size(), 856);
    EXPECT_TRUE(InstancesProtocol::parseRequest({Type::CopyData, good}));
    EXPECT_FALSE(InstancesProtocol::parseRequest({Type::CopyData, good.chopped(1)}));
    EXPECT_FALSE(InstancesProtocol::parseRequest({Type::CopyData, good + 'x'}));
    EXPECT_FALSE(InstancesProtocol::parseRequest({Type::Close, QByteArray(7, '\0')}));
    EXPECT_FALSE(InstancesProtocol::parseRequest({Type::Message, QByteArray(8, '\0')}));
    EXPECT_FALSE(InstancesProtocol::parseRequest({Type::ListWindows, QByteArray()}));
}

TEST(InstancesProtocol, WindowListsKeepOnlyThePeersOwnWindows)
{
    QList<WindowRegistry::Info> windows;
    windows.append({peerWindow, QStringLiteral("Тезаурус"), true, 12345});
    windows.append({(TWindowHandle(1) << 32) | 1, QStringLiteral("Чужое"), true, 99999});
    windows.append({peerWindow + 1, QString(300, QLatin1Char('w')), false, -1});
    const QByteArray frame = InstancesProtocol::windowList(windows);

    const auto parsed = InstancesProtocol::parseWindowList(frame.mid(6), 4242);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), 2);
    EXPECT_EQ(parsed->at(0).caption, QStringLiteral("Тезаурус"));
    EXPECT_TRUE(parsed->at(0).visible);
    EXPECT_EQ(parsed->at(0).activated, 12345);
    EXPECT_EQ(parsed->at(1).caption.size(), InstancesProtocol::MaxCaptionLength);
    EXPECT_FALSE(parsed->at(1).visible);

    EXPECT_FALSE(InstancesProtocol::parseWindowList(frame.mid(6).chopped(1), 4242));
    EXPECT_FALSE(InstancesProtocol::parseWindowList(frame.mid(6) + 'x', 4242));
    QByteArray tooMany = frame.mid(6);
    qToLittleEndian<quint16>(0xFFFF, tooMany.data());
    EXPECT_FALSE(InstancesProtocol::parseWindowList(tooMany, 4242));
}
