#include "shell/DroppedFiles.h"

#include "RecordingComponents.h"

#include <gtest/gtest.h>

using shelltest::CallLog;
using shelltest::RecordingComponents;

namespace {

class DroppedFilesTest : public testing::Test {
protected:
    QStringList drop(const QStringList& files)
    {
        log.calls.clear();
        drops.Drop(files);
        return log.calls;
    }

    CallLog log;
    RecordingComponents components{log};
    TDroppedFiles drops{components.set};
};

TEST_F(DroppedFilesTest, PagesTextsAndPicturesOpenInThePanelByTheirLowerCasedName)
{
    for (const char* name :
         {"z:\\home\\u\\Photo.JPG", "z:\\a\\Page.HTML", "z:\\a\\b.txt", "z:\\a\\b.bmp",
          "z:\\a\\b.jpeg", "z:\\a\\b.gif", "z:\\a\\b.PNG", "z:\\a.htm.d\\notes.doc"}) {
        const QString file = QString::fromLatin1(name);
        EXPECT_EQ(drop({file}), QStringList{"Panels.OpenFile(" + file.toLower() + ")"}) << name;
    }
}

TEST_F(DroppedFilesTest, ArchivesAreListedAndSoundsPlayed)
{
    EXPECT_EQ(drop({QStringLiteral("z:\\tmp\\Игры.RAR")}),
              QStringList{"Archive.Open(z:\\tmp\\игры.rar, d:\\run\\index.htm)"});
    EXPECT_EQ(drop({QStringLiteral("z:\\tmp\\Песня.MP3")}),
              QStringList{"Clip.PlayClip(z:\\tmp\\песня.mp3, , 3)"});
    EXPECT_EQ(drop({QStringLiteral("z:\\tmp\\a.wav")}),
              QStringList{"Clip.PlayClip(z:\\tmp\\a.wav, , 3)"});
    EXPECT_EQ(drop({QStringLiteral("z:\\tmp\\a.mpa")}),
              QStringList{"Clip.PlayClip(z:\\tmp\\a.mpa, , 3)"});
    EXPECT_EQ(drop({QStringLiteral("z:\\tmp\\a.rar.wav")}),
              QStringList{"Archive.Open(z:\\tmp\\a.rar.wav, d:\\run\\index.htm)"})
        << "the rules are tested in order";
}

TEST_F(DroppedFilesTest, OnlyTheFirstFileCountsAndOtherFilesDoNothing)
{
    EXPECT_TRUE(
        drop({QStringLiteral("z:\\tmp\\a.zip"), QStringLiteral("z:\\tmp\\b.htm")}).isEmpty());
    EXPECT_EQ(drop({QStringLiteral("z:\\tmp\\b.htm"), QStringLiteral("z:\\tmp\\a.wav")}),
              QStringList{"Panels.OpenFile(z:\\tmp\\b.htm)"});
    EXPECT_TRUE(drop({}).isEmpty());
    EXPECT_TRUE(drop({QString()}).isEmpty()) << "a drop that is no file";
    EXPECT_TRUE(drop({QStringLiteral("z:\\tmp\\noextension")}).isEmpty());
}

TEST_F(DroppedFilesTest, TheNameIsCutTo200CharactersFirst)
{
    const QString deep = QStringLiteral("z:\\") + QString(195, QLatin1Char('x'));
    EXPECT_TRUE(drop({deep + QStringLiteral("\\a.htm")}).isEmpty())
        << "the extension lies beyond the cut";
    const QString name = QStringLiteral("z:\\") + QString(150, QLatin1Char('x')) +
                         QStringLiteral(".htm\\") + QString(50, QLatin1Char('y'));
    const QStringList calls = drop({name});
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0], "Panels.OpenFile(" + name.left(200) + ")");
}

TEST_F(DroppedFilesTest, MissingComponentsLeaveTheDropAlone)
{
    TComponentSet none;
    TDroppedFiles bare(none);
    for (const char* name : {"z:\\a.htm", "z:\\a.rar", "z:\\a.wav"}) {
        bare.Drop({QString::fromLatin1(name)});
    }
    components.set.PagePanels = nullptr;
    EXPECT_EQ(drop({QStringLiteral("z:\\a.rar")}), QStringList{"Archive.Open(z:\\a.rar, )"});
    EXPECT_TRUE(log.calls.size() == 1);
}

} // namespace
