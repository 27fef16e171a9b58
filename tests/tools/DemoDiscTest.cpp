#include "ConfigText.h"
#include "PackedArchive.h"
#include "ReadBin.h"
#include "VirtualFs.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

// The demo disc the build makes: the data files open and hold what the shell
// starts from.
class DemoDisc : public testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        folder = QStringLiteral(DISCSHELL_DEMO_DISC_DIR);
        ASSERT_TRUE(QFileInfo(folder).isDir()) << "build the demo_disc target first";
    }

    QString virtualFile(const QString& name) const
    {
        return VirtualFs::fromHostPath(folder + QLatin1Char('/') + name);
    }

    QString folder;
};

TEST_F(DemoDisc, ContainerHoldsTheInterfaceDescriptionAndItsPictures)
{
    TReadBin container;
    ASSERT_TRUE(container.Open(virtualFile(QStringLiteral("Mev.dhl"))))
        << container.errorString().toStdString();
    QByteArray buffer;
    ASSERT_GT(container.ReadToBuffer(QStringLiteral("Struct.cfs"), buffer), 0);
    TDynamicStringArray lines;
    DecodeConfig(buffer, lines, true);

    QString background;
    QStringList pictures;
    bool hasTitle = false;
    for (const QString& line : lines) {
        hasTitle = hasTitle || line.startsWith(QStringLiteral("title="));
        if (line.contains(QStringLiteral("_screen="))) {
            background = line.section(QLatin1Char('='), 1);
        }
        if (line.startsWith(QStringLiteral("fn")) && line.endsWith(QStringLiteral(".bmp"))) {
            pictures.append(line.section(QLatin1Char('='), 1));
        }
    }
    EXPECT_TRUE(hasTitle);
    EXPECT_EQ(background, QStringLiteral("main.bmp"));
    pictures.append(background);
    for (const QString& picture : pictures) {
        QByteArray bytes;
        EXPECT_GT(container.ReadToBuffer(picture, bytes), 0) << picture.toStdString();
        EXPECT_TRUE(bytes.startsWith("BM")) << picture.toStdString();
    }
}

TEST_F(DemoDisc, ArchiveHoldsThePagesWhereTheShellLooksForThem)
{
    PackedArchive archive;
    ASSERT_TRUE(archive.OpenArchive(virtualFile(QStringLiteral("interface.dat"))))
        << archive.errorString().toStdString();
    const QStringList paths = archive.ListArchive();
    EXPECT_TRUE(paths.contains(QStringLiteral("RUN\\HTML\\INDEX.HTM")));
    EXPECT_TRUE(paths.contains(QStringLiteral("RUN\\HTML\\ГЛАВА1.HTM")));

    // The disc folder is "run", so the shell removes "d:\" from its page paths.
    archive.SetArchiveBase(QStringLiteral("d:\\"));
    QByteArray page;
    ASSERT_EQ(
        archive.ReadMember(archive.FindMember(QStringLiteral("d:\\run\\html\\Глава1.htm")), page),
        0);
    EXPECT_TRUE(page.contains("charset=utf-8"));
}

TEST_F(DemoDisc, PlainFilesLieBesideAndNoSourceDoes)
{
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/Статьи/Статья.htm")).isFile());
    const QStringList topLevel = QDir(folder).entryList(QDir::Files);
    for (const QString& name : topLevel) {
        EXPECT_FALSE(name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
            << name.toStdString();
    }
}
