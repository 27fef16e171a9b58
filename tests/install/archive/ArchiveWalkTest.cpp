#include "install/archive/ArchiveWalk.h"

#include "RarWriter.h"
#include "TempDir.h"
#include "install/archive/ArchiveDestination.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QString Fixtures = QStringLiteral(RAR_FIXTURES);

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every path below a folder, relative, links included and not followed.
QStringList treeOf(const QString& folder)
{
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        paths.append(QDir(folder).relativeFilePath(it.next()));
    }
    paths.sort();
    return paths;
}

class ArchiveWalkTest : public ::testing::Test {
protected:
    QString write(const QString& name, const RarWriter& rar)
    {
        return dir.write(name, rar.toBytes());
    }

    std::optional<QList<RArchiveHeader>> list(const QString& host)
    {
        TArchiveWalk walk(QStringLiteral("d:\\") + QFileInfo(host).fileName(), host,
                          [this](const QString& text) { messages.append(text); });
        auto entries = walk.ReadEntries();
        whole = walk.Whole();
        return entries;
    }

    bool extract(const QString& host, const QString& target)
    {
        TArchiveWalk walk(QStringLiteral("d:\\") + QFileInfo(host).fileName(), host,
                          [this](const QString& text) { messages.append(text); });
        QDir().mkpath(target);
        const bool opened = walk.ExtractAll(target);
        whole = walk.Whole();
        return opened;
    }

    // The first volumes of the six-volume set into set/, under the names of
    // the ".partN.rar" numbering.
    void copyVolumes(int count)
    {
        for (int part = 1; part <= count; ++part) {
            dir.write(
                QStringLiteral("set/test_rar_multivolume_multiple_files.part%1.rar").arg(part),
                readAll(Fixtures + QStringLiteral("/volumes/volume%1.rar").arg(part)));
        }
    }

    TempDir dir;
    QStringList messages;
    bool whole = false;
};

TEST_F(ArchiveWalkTest, RealArchivesListNamesFoldersSizesAndTimesInArchiveOrder)
{
    const auto entries = list(Fixtures + QStringLiteral("/test_read_format_rar.rar"));
    ASSERT_TRUE(entries);
    QStringList names;
    for (const RArchiveHeader& entry : *entries) {
        names.append(entry.Name + (entry.Folder ? "\\" : ""));
    }
    EXPECT_EQ(names, QStringList({"test.txt", "testlink", "testdir\\test.txt", "testdir\\",
                                  "testemptydir\\"}));
    EXPECT_EQ(entries->at(0).Size, 20);
    EXPECT_TRUE(entries->at(1).Link);
    EXPECT_NE(entries->at(0).Time, 0u);
    EXPECT_TRUE(whole);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ArchiveWalkTest, CompressedEntriesUnpackAndLinksAreLeftOut)
{
    const QString target = dir.file(QStringLiteral("out"));
    ASSERT_TRUE(
        extract(Fixtures + QStringLiteral("/test_read_format_rar_compress_normal.rar"), target));
    EXPECT_TRUE(whole);
    EXPECT_EQ(treeOf(target), QStringList({"LibarchiveAddingTest.html", "testdir",
                                           "testdir/LibarchiveAddingTest.html", "testdir/test.txt",
                                           "testemptydir"}));
    EXPECT_EQ(QFileInfo(target + "/LibarchiveAddingTest.html").size(), 20111);
    EXPECT_EQ(readAll(target + "/LibarchiveAddingTest.html"),
              readAll(target + "/testdir/LibarchiveAddingTest.html"));
}

TEST_F(ArchiveWalkTest, MultiVolumeSetsAreReadThroughTheirLaterVolumes)
{
    copyVolumes(6);
    const QString target = dir.file(QStringLiteral("all"));
    ASSERT_TRUE(extract(dir.file("set/test_rar_multivolume_multiple_files.part1.rar"), target));
    EXPECT_TRUE(whole) << messages.join("; ").toStdString();
    const QStringList files = treeOf(target);
    EXPECT_GE(files.size(), 2);
    for (const QString& file : files) {
        EXPECT_GT(QFileInfo(target + "/" + file).size(), 0) << file.toStdString();
    }
}

TEST_F(ArchiveWalkTest, AMissingVolumeIsNamed)
{
    copyVolumes(3);
    ASSERT_TRUE(
        extract(dir.file("set/test_rar_multivolume_multiple_files.part1.rar"), dir.file("out")));
    EXPECT_FALSE(whole);
    EXPECT_EQ(messages,
              QStringList({"Том d:\\test_rar_multivolume_multiple_files.part4.rar не найден."}));
}

TEST_F(ArchiveWalkTest, NamesThatAreNotUnicodeAreInTheOemCodePage)
{
    RarWriter rar;
    rar.addFolder(CodePage::toCp866(QStringLiteral("Папка")));
    rar.addFile(CodePage::toCp866(QStringLiteral("Папка\\Ёлка.txt")), "ель");
    const QString host = write(QStringLiteral("oem.rar"), rar);
    const auto entries = list(host);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 2);
    EXPECT_EQ(entries->at(0).Name, QStringLiteral("Папка"));
    EXPECT_EQ(entries->at(1).Name, QStringLiteral("Папка\\Ёлка.txt"));
    EXPECT_EQ(entries->at(1).Time, 0x3d2a5a6bu) << "the DOS time comes back as stored";
    const QString target = dir.file(QStringLiteral("out"));
    ASSERT_TRUE(extract(host, target));
    EXPECT_EQ(readAll(target + QStringLiteral("/Папка/Ёлка.txt")), QByteArray("ель"));
}

TEST_F(ArchiveWalkTest, HostileNamesAndLinksNeverWriteOutsideTheTarget)
{
    const QString outside = dir.file(QStringLiteral("outside"));
    QDir().mkpath(outside);
    RarWriter rar;
    rar.addFile("..\\..\\x", "escape");
    rar.addFile("../y", "escape");
    rar.addFile("/etc/x", "absolute");
    rar.addFile("c:\\z", "drive");
    rar.addLink("root", "/");
    rar.addLink("out", outside.toUtf8());
    rar.addFile("out\\through.txt", "through a link");
    rar.addFile("root\\tmp\\through.txt", "through a link");
    rar.addFile("safe\\ok.txt", "kept");
    const QString host = write(QStringLiteral("hostile.rar"), rar);
    const QString target = dir.file(QStringLiteral("target/inner"));
    ASSERT_TRUE(extract(host, target));
    EXPECT_EQ(treeOf(target), QStringList({"out", "out/through.txt", "root", "root/tmp",
                                           "root/tmp/through.txt", "safe", "safe/ok.txt"}))
        << "links became nothing; the names under them are plain folders";
    for (const QString& path : treeOf(target)) {
        EXPECT_FALSE(QFileInfo(target + "/" + path).isSymLink()) << path.toStdString();
    }
    EXPECT_TRUE(treeOf(outside).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.file("x")));
    EXPECT_FALSE(QFileInfo::exists(dir.file("target/y")));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/etc/x")));
    EXPECT_FALSE(whole);
    EXPECT_EQ(messages, QStringList({"File ..\\..\\x create error"}))
        << "the first refused entry is named; the others follow quietly";
}

TEST_F(ArchiveWalkTest, ALinkAlreadyInTheTargetIsNotWrittenThrough)
{
    const QString outside = dir.file(QStringLiteral("outside"));
    QDir().mkpath(outside);
    const QString target = dir.file(QStringLiteral("target"));
    QDir().mkpath(target);
    ASSERT_TRUE(QFile::link(outside, target + "/sub"));
    ASSERT_TRUE(QFile::link(outside + "/victim", target + "/file.txt"));
    RarWriter rar;
    rar.addFile("sub\\a.txt", "a");
    rar.addFile("file.txt", "b");
    ASSERT_TRUE(extract(write(QStringLiteral("l.rar"), rar), target));
    EXPECT_TRUE(treeOf(outside).isEmpty());
    EXPECT_EQ(messages, QStringList({"File sub\\a.txt create error"}));
    EXPECT_FALSE(ArchiveDestination::Check(target, QStringLiteral("sub\\x")));
    EXPECT_TRUE(ArchiveDestination::Check(target, QStringLiteral(".\\new\\x")));
}

TEST_F(ArchiveWalkTest, DamagedPackedDataNamesTheEntryAndEndsTheWalk)
{
    QByteArray bytes =
        readAll(Fixtures + QStringLiteral("/test_read_format_rar_compress_normal.rar"));
    ASSERT_GT(bytes.size(), 2000);
    for (int at = 400; at < 1400; at += 7) {
        bytes[at] = char(bytes.at(at) ^ 0x5a); // inside the packed data of the first entry
    }
    const QString target = dir.file(QStringLiteral("out"));
    ASSERT_TRUE(extract(dir.write(QStringLiteral("crc.rar"), bytes), target));
    EXPECT_FALSE(whole);
    EXPECT_EQ(messages,
              QStringList({"У файла LibarchiveAddingTest.html ошика контрольной суммы."}));
    EXPECT_TRUE(treeOf(target).isEmpty()) << "the damaged file is not left behind";
}

TEST_F(ArchiveWalkTest, ABrokenHeaderNamesTheLastEntryRead)
{
    RarWriter rar;
    rar.addFile("first.txt", "1");
    RarWriter::Entry broken;
    broken.name = "second.txt";
    broken.data = "2";
    broken.badHeaderCrc = true;
    rar.add(broken);
    const auto entries = list(write(QStringLiteral("hdr.rar"), rar));
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->size(), 1);
    EXPECT_FALSE(whole);
    EXPECT_EQ(messages, QStringList({"У файла: first.txt испорчен заголовок."}));
}

TEST_F(ArchiveWalkTest, ArchivesThatCannotBeOpenedSayWhy)
{
    EXPECT_FALSE(list(dir.file(QStringLiteral("none.rar"))));
    EXPECT_FALSE(list(dir.write(QStringLiteral("text.rar"), "just text, no archive")));
    EXPECT_FALSE(list(dir.write(QStringLiteral("cut.rar"), QByteArray("Rar!\x1a\x07\x00\x01", 8))));
    QDir().mkpath(dir.file(QStringLiteral("folder.rar")));
    EXPECT_FALSE(list(dir.file(QStringLiteral("folder.rar"))));
    EXPECT_EQ(messages,
              QStringList({"Cannot open d:\\none.rar", "Файл d:\\text.rar не является RAR архивом.",
                           "d:\\cut.rar: archive header broken", "Cannot open d:\\folder.rar"}));
}

TEST_F(ArchiveWalkTest, EncryptedEntriesAreListedButRefused)
{
    RarWriter rar;
    RarWriter::Entry secret;
    secret.name = "secret.txt";
    secret.data = "ciphertext!!!!!!";
    secret.flags = RarWriter::Encrypted;
    rar.add(secret);
    rar.addFile("open.txt", "plain");
    const QString host = write(QStringLiteral("enc.rar"), rar);
    const auto entries = list(host);
    ASSERT_TRUE(entries);
    EXPECT_TRUE(entries->at(0).Encrypted);
    const QString target = dir.file(QStringLiteral("out"));
    ASSERT_TRUE(extract(host, target));
    EXPECT_FALSE(QFileInfo::exists(target + "/secret.txt"));
    EXPECT_TRUE(
        messages.contains(QStringLiteral("Файл secret.txt зашифрован паролем и не распакован.")))
        << messages.join("; ").toStdString();
}

TEST_F(ArchiveWalkTest, EachMessageIsGivenOncePerWalk)
{
    RarWriter rar;
    for (int i = 0; i < 50; ++i) {
        rar.addFile("..\\bad" + QByteArray::number(i), "x");
    }
    ASSERT_TRUE(extract(write(QStringLiteral("many.rar"), rar), dir.file("out")));
    EXPECT_EQ(messages, QStringList({"File ..\\bad0 create error"}));
}

} // namespace
