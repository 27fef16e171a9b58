#include "IsoMaker.h"
#include "TempDir.h"
#include "ToolRunner.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <unistd.h>

// The commands that read a disc read an ISO image of the demo disc as they
// read its folder.
namespace {

class DiscImageCommand : public testing::Test {
protected:
    void SetUp() override
    {
        if (!IsoMaker::available()) {
            GTEST_SKIP() << "xorriso is not installed";
        }
        folder = QStringLiteral(DISCSHELL_DEMO_DISC_DIR);
        ASSERT_TRUE(QFileInfo(folder).isDir()) << "build the demo_disc target first";
        image = dir.file(QStringLiteral("demo.iso"));
        ASSERT_EQ(IsoMaker::make(QFileInfo(folder).absolutePath(), image,
                                 IsoMaker::Names::JolietAndRockRidge),
                  QString());
    }
    // The copies of this process's images left in the runtime folder.
    static QStringList leftCopies()
    {
        return QDir(VirtualFs::runtimeFolder())
            .entryList({QStringLiteral("image-%1-*").arg(::getpid())}, QDir::Dirs);
    }
    ToolResult expectSameOnImage(const QStringList& before, const QStringList& after)
    {
        const ToolResult onFolder = runTool(before + QStringList{folder} + after);
        const ToolResult onImage = runTool(before + QStringList{image} + after);
        EXPECT_EQ(onImage.status, onFolder.status) << onImage.err.toStdString();
        EXPECT_EQ(onImage.outText(), onFolder.outText());
        EXPECT_EQ(leftCopies(), QStringList());
        return onImage;
    }

    TempDir dir;
    QString folder;
    QString image;
};

} // namespace

TEST_F(DiscImageCommand, ReadingCommandsGiveWhatTheyGiveForTheFolder)
{
    expectSameOnImage({QStringLiteral("lint")}, {});
    const ToolResult description =
        expectSameOnImage({QStringLiteral("inspect"), QStringLiteral("struct")},
                          {QStringLiteral("--appdir"), QStringLiteral("d:\\run\\")});
    EXPECT_TRUE(description.outText().startsWith(QLatin1Char('{')));
    const ToolResult start =
        expectSameOnImage({QStringLiteral("thesaurus"), QStringLiteral("find")}, {QString()});
    EXPECT_EQ(start.status, 0);
    EXPECT_FALSE(start.out.isEmpty());
}

TEST_F(DiscImageCommand, ImagesAreNeverWrittenAndDamageIsOneLine)
{
    const QByteArray bytes = IsoMaker::readAll(image);
    const ToolResult build = runTool({QStringLiteral("index"), QStringLiteral("build"), image});
    EXPECT_EQ(build.status, 2);
    EXPECT_TRUE(build.err.contains(QLatin1String("read-only"))) << build.err.toStdString();
    EXPECT_EQ(IsoMaker::readAll(image), bytes);

    const QString damaged = dir.file(QStringLiteral("damaged.iso"));
    QByteArray cut = bytes.left(17 * 2048);
    ASSERT_TRUE(IsoMaker::writeAll(damaged, cut));
    const ToolResult lint = runTool({QStringLiteral("lint"), damaged});
    EXPECT_EQ(lint.status, 2);
    EXPECT_TRUE(lint.err.startsWith(QStringLiteral("disctool: ") + damaged + QLatin1Char(':')))
        << lint.err.toStdString();
    EXPECT_EQ(lint.err.trimmed().count(QLatin1Char('\n')), 0);
    EXPECT_TRUE(lint.out.isEmpty());

    // An image without a program folder is no disc.
    dir.write(QStringLiteral("empty/readme.txt"), "x");
    const QString empty = dir.file(QStringLiteral("empty.iso"));
    ASSERT_EQ(IsoMaker::make(dir.file(QStringLiteral("empty")), empty, IsoMaker::Names::Joliet),
              QString());
    const ToolResult none = runTool({QStringLiteral("lint"), empty});
    EXPECT_EQ(none.status, 2);
    EXPECT_TRUE(none.err.contains(QLatin1String("Mev.dhl"))) << none.err.toStdString();
    EXPECT_EQ(leftCopies(), QStringList());
}
