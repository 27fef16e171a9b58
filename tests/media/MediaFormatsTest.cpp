// The media formats of the discs, authored here with GStreamer's own encoders
// (or written byte by byte where no encoder exists), each opened and played to
// its end by the media control; a clip whose codec is unknown fails its open
// with an error number instead of hanging.

#include "MediaFixtures.h"
#include "TempDir.h"
#include "media/MPlayer.h"
#include "platform/VirtualFs.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray littleEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray littleEndian16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A mono IMA ADPCM wave of 20 blocks of 505 samples at 22050 Hz.
QByteArray imaAdpcmWave()
{
    constexpr int rate = 22050, align = 256, samplesPerBlock = 505, blocks = 20;
    QByteArray format = littleEndian16(0x11) + littleEndian16(1) + littleEndian32(rate) +
                        littleEndian32(rate * align / samplesPerBlock) + littleEndian16(align) +
                        littleEndian16(4) + littleEndian16(2) + littleEndian16(samplesPerBlock);
    QByteArray data;
    for (int block = 0; block < blocks; ++block) {
        data += QByteArray(4, '\0'); // first sample 0, step index 0
        for (int i = 0; i < align - 4; ++i) {
            data += char((i * 37) & 0xFF);
        }
    }
    const QByteArray body = "WAVE" + QByteArray("fmt ") + littleEndian32(format.size()) + format +
                            "fact" + littleEndian32(4) + littleEndian32(blocks * samplesPerBlock) +
                            "data" + littleEndian32(data.size()) + data;
    return "RIFF" + littleEndian32(body.size()) + body;
}

// One note of a quarter second in a type-0 MIDI file.
QByteArray midiFile()
{
    const QByteArray track = QByteArray::fromHex("00903c64"
                                                 "8360803c00"
                                                 "00ff2f00");
    QByteArray header = QByteArray("MThd") + QByteArray::fromHex("00000006"
                                                                 "0000"
                                                                 "0001"
                                                                 "01e0");
    QByteArray length(4, '\0');
    qToBigEndian(quint32(track.size()), length.data());
    return header + "MTrk" + length + track;
}

class MediaFormatsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFakeSinks();
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        player.SetOnNotify([this](TMPlayer* sender) { outcomes.append(sender->NotifyValue()); });
    }
    void TearDown() override { player.Close(); }

    bool encode(const QString& name, const QByteArray& pipeline)
    {
        return EncodeMediaFile(pipeline + " ! filesink location=\"" + dir.file(name).toUtf8() +
                               "\"");
    }

    // Opens and plays the file to its end; what the open found out. Streams
    // without an index (MPEG) may not know their length before they play.
    void playToTheEnd(const QString& name, bool video, bool lengthKnown = true)
    {
        player.SetFileName(dir.virtualPath() + name);
        ASSERT_NO_THROW(player.Open()) << player.ErrorMessage().toStdString();
        EXPECT_EQ(player.HasVideo(), video) << name.toStdString();
        if (lengthKnown) {
            EXPECT_GT(player.Length(), 0) << name.toStdString();
        }
        player.Play();
        ASSERT_TRUE(WaitFor([this] { return !outcomes.isEmpty(); }, 8000)) << name.toStdString();
        EXPECT_EQ(outcomes.first(), TMPNotifyValues::Successful) << name.toStdString();
        player.Close();
        outcomes.clear();
    }

    TempDir dir;
    TMPlayer player;
    QList<TMPNotifyValues> outcomes;
};

} // namespace

TEST_F(MediaFormatsTest, ClipsOfTheDiscsPlayToTheirEnd)
{
    ASSERT_TRUE(encode(QStringLiteral("motion.avi"),
                       "videotestsrc num-buffers=10 ! video/x-raw,width=160,height=120,"
                       "framerate=10/1 ! jpegenc ! avimux"));
    playToTheEnd(QStringLiteral("motion.avi"), true);

    // MPEG-1 video with MPEG audio layer 2 in a program stream, as video CDs hold it.
    ASSERT_TRUE(EncodeMediaFile(
        "videotestsrc num-buffers=10 ! video/x-raw,format=I420,width=352,height=288,"
        "framerate=25/1 ! mpeg2enc format=0 ! mpegvideoparse ! mpegpsmux name=mux ! filesink "
        "location=\"" +
        dir.file(QStringLiteral("vcd.mpg")).toUtf8() +
        "\" audiotestsrc num-buffers=20 ! audioconvert ! avenc_mp2 ! mpegaudioparse ! mux."));
    playToTheEnd(QStringLiteral("vcd.mpg"), true, false);
}

TEST_F(MediaFormatsTest, SoundsAndMusicOfTheDiscsPlayToTheirEnd)
{
    ASSERT_TRUE(encode(QStringLiteral("song.mp3"),
                       "audiotestsrc num-buffers=20 ! audioconvert ! lamemp3enc"));
    playToTheEnd(QStringLiteral("song.mp3"), false, false);

    dir.write(QStringLiteral("voice.wav"), imaAdpcmWave());
    playToTheEnd(QStringLiteral("voice.wav"), false);

    dir.write(QStringLiteral("tune.mid"), midiFile());
    playToTheEnd(QStringLiteral("tune.mid"), false);
}

TEST_F(MediaFormatsTest, AClipWithAnUnknownCodecFailsItsOpenInTime)
{
    ASSERT_TRUE(encode(QStringLiteral("motion.avi"),
                       "videotestsrc num-buffers=10 ! video/x-raw,width=160,height=120,"
                       "framerate=10/1 ! jpegenc ! avimux"));
    QFile encoded(dir.file(QStringLiteral("motion.avi")));
    ASSERT_TRUE(encoded.open(QIODevice::ReadOnly));
    QByteArray clip = encoded.readAll();
    for (const QByteArray& fourcc : {QByteArray("MJPG"), QByteArray("mjpg")}) {
        for (qsizetype at = clip.indexOf(fourcc); at >= 0; at = clip.indexOf(fourcc, at + 4)) {
            clip.replace(at, 4, "QQ9Z");
        }
    }
    dir.write(QStringLiteral("unknown.avi"), clip);
    player.SetFileName(dir.virtualPath() + QStringLiteral("unknown.avi"));
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(player.Open(), EMCIDeviceError);
    EXPECT_NE(player.ErrorCode(), 0u);
    EXPECT_LT(clock.elapsed(), 15000);
    EXPECT_FALSE(player.IsOpen());
}
