#include "data/PackedArchive.h"

#include "TempDir.h"
#include "data/ArchiveWriter.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"

#include <QtEndian>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

QByteArray word(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray deflated(const QByteArray& bytes, int level = Z_DEFAULT_COMPRESSION)
{
    uLongf size = compressBound(uLong(bytes.size()));
    QByteArray out(qsizetype(size), '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(bytes.constData()), uLong(bytes.size()), level);
    out.truncate(qsizetype(size));
    return out;
}

// Archive bytes put together field by field, so that damaged archives can be
// described as easily as sound ones.
struct RawArchive {
    struct Entry {
        QByteArray name;
        quint32 offset = 0;
        quint32 stored = 0;
        quint32 unpacked = 0;
        quint32 kind = PackedArchive::KindFile;
    };
    QList<std::pair<quint32, quint32>> folders{{0, 0}};
    QList<Entry> entries;
    quint32 root = 0;
    QByteArray data;
    int directoryLevel = -2; // -2 leaves the directory uncompressed

    // Adds a member's bytes to the data area and returns its file entry.
    Entry file(const QByteArray& name, const QByteArray& stored, quint32 unpacked)
    {
        Entry entry{name, quint32(data.size()), quint32(stored.size()), unpacked};
        data += stored;
        return entry;
    }
    static Entry folder(const QByteArray& name, quint32 index)
    {
        return {name, index, 0, 0, PackedArchive::KindFolder};
    }

    QByteArray directory() const
    {
        QByteArray out =
            word(quint32(folders.size())) + word(quint32(entries.size())) + word(0) + word(root);
        for (const auto& [first, count] : folders) {
            out += word(first) + word(count);
        }
        for (const Entry& entry : entries) {
            QByteArray name = entry.name;
            name.resize(64, '\0');
            out += name + word(entry.offset) + word(entry.stored) + word(entry.unpacked) +
                   word(entry.kind);
        }
        return out;
    }
    static QByteArray header(quint32 extra, quint32 stored)
    {
        return word(extra ^ 0x5C2E91A3) + word(stored ^ 0x0D7B46E8);
    }
    QByteArray bytes() const
    {
        const QByteArray plain = directory();
        if (directoryLevel == -2) {
            return header(0, quint32(plain.size())) + plain + data;
        }
        const QByteArray packed = deflated(plain, directoryLevel);
        const quint32 stored = quint32(packed.size());
        return header(quint32(plain.size()) - stored, stored) + packed + data;
    }
};

class PackedArchiveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    }

    QString save(const QByteArray& bytes)
    {
        return VirtualFs::fromHostPath(dir.write(QStringLiteral("interface.dat"), bytes));
    }
    bool open(const QByteArray& bytes) { return archive.OpenArchive(save(bytes)); }
    void expectRejected(const QByteArray& bytes, const char* what)
    {
        EXPECT_FALSE(open(bytes)) << what;
        EXPECT_FALSE(archive.isOpen()) << what;
        EXPECT_FALSE(archive.errorString().isEmpty()) << what;
        EXPECT_EQ(archive.FindMember(QStringLiteral("a")), -1) << what;
    }
    QByteArray member(const QString& path)
    {
        QByteArray bytes;
        EXPECT_EQ(archive.ReadMember(archive.FindMember(path), bytes), 0) << path.toStdString();
        return bytes;
    }

    TempDir dir;
    PackedArchive archive;
};

TEST_F(PackedArchiveTest, NormalisesSlashesLatinAndCyrillicLettersOnly)
{
    QByteArray all;
    for (int c = 0; c < 256; ++c) {
        all += char(c);
    }
    const QByteArray normal = NormalizeArchivePath(all);
    for (int c = 0; c < 256; ++c) {
        int expected = c;
        if (c == '/') {
            expected = '\\';
        } else if ((c >= 'a' && c <= 'z') || c >= 224) {
            expected = c - 32;
        }
        EXPECT_EQ(uchar(normal[c]), expected) << "byte " << c;
    }
    EXPECT_EQ(NormalizeArchivePath(QStringLiteral("Страницы/ёлка.htm")),
              CodePage::toCp1251(QStringLiteral("СТРАНИЦЫ\\ёЛКА.HTM")));
}

TEST_F(PackedArchiveTest, ArchiveBaseIsRemovedFromFullPaths)
{
    ArchiveWriter writer;
    ASSERT_TRUE(writer.addFile(QStringLiteral("run/html/page.htm"), "below run"));
    ASSERT_TRUE(writer.addFile(QStringLiteral("html/page.htm"), "below root"));
    ASSERT_TRUE(open(writer.toBytes()));
    archive.SetArchiveBase(QStringLiteral("D:\\"));
    EXPECT_EQ(archive.ArchiveBase(), QByteArray("D:\\"));
    EXPECT_EQ(member(QStringLiteral("d:\\run\\html\\page.htm")), "below run");
    EXPECT_EQ(member(QStringLiteral("html/page.htm")), "below root");
    EXPECT_EQ(member(QStringLiteral("\\HTML\\Page.htm")), "below root");
    EXPECT_EQ(archive.FindMember(QStringLiteral("c:\\run\\html\\page.htm")), -1);
    EXPECT_EQ(archive.FindMember(QStringLiteral("nothing\\html\\page.htm")), -1);
    EXPECT_EQ(archive.FindMember(QStringLiteral("html")), -1);
    EXPECT_EQ(archive.FindMember(QStringLiteral("html\\")), -1);
}

TEST_F(PackedArchiveTest, FirstOfEquallyNamedEntriesWinsEvenOfTheWrongKind)
{
    RawArchive raw;
    raw.folders = {{0, 2}, {2, 1}};
    raw.entries = {raw.file("A", "file a", 6), RawArchive::folder("A", 1),
                   raw.file("B", "file b", 6)};
    ASSERT_TRUE(open(raw.bytes())) << archive.errorString().toStdString();
    EXPECT_EQ(archive.FindMember(QStringLiteral("a")), 0);
    EXPECT_EQ(archive.FindMember(QStringLiteral("a\\b")), -1);

    std::swap(raw.entries[0], raw.entries[1]);
    ASSERT_TRUE(open(raw.bytes()));
    EXPECT_EQ(archive.FindMember(QStringLiteral("a")), -1);
    EXPECT_EQ(archive.FindMember(QStringLiteral("a\\b")), 2);
    EXPECT_EQ(member(QStringLiteral("A/B")), "file b");
}

TEST_F(PackedArchiveTest, StoredSizeEqualToUnpackedIsReturnedRaw)
{
    const QByteArray looksDeflated = deflated("this is a zlib stream");
    RawArchive raw;
    raw.folders = {{0, 1}};
    raw.entries = {raw.file("Z.BIN", looksDeflated, quint32(looksDeflated.size()))};
    ASSERT_TRUE(open(raw.bytes()));
    EXPECT_EQ(member(QStringLiteral("z.bin")), looksDeflated);
}

TEST_F(PackedArchiveTest, ReadsNonZeroRootAndDirectoryLargerWhenDeflated)
{
    RawArchive raw;
    raw.folders = {{0, 0}, {0, 1}};
    raw.root = 1;
    raw.entries = {raw.file("X", deflated("inflated text"), 13)};
    raw.directoryLevel = 0; // stored deflate blocks: bigger than the directory itself
    ASSERT_TRUE(open(raw.bytes())) << archive.errorString().toStdString();
    EXPECT_EQ(member(QStringLiteral("x")), "inflated text");
    EXPECT_EQ(archive.rootFolder(), 1u);
}

TEST_F(PackedArchiveTest, ReadMemberFillsStreamAtPositionZero)
{
    ArchiveWriter writer;
    ASSERT_TRUE(writer.addFile(QStringLiteral("a.txt"), QByteArray(5000, 'a')));
    ASSERT_TRUE(writer.addFile(QStringLiteral("dir/b.txt"), "b"));
    ASSERT_TRUE(open(writer.toBytes()));

    QBuffer closed;
    ASSERT_EQ(archive.ReadMember(archive.FindMember(QStringLiteral("a.txt")), closed), 0);
    EXPECT_TRUE(closed.isReadable());
    EXPECT_EQ(closed.pos(), 0);
    EXPECT_EQ(closed.readAll(), QByteArray(5000, 'a'));

    QBuffer used;
    used.open(QIODevice::ReadWrite);
    used.write("old content that is longer");
    ASSERT_EQ(archive.MemberToStream(QStringLiteral("dir/b.txt"), used), 0);
    EXPECT_EQ(used.pos(), 0);
    EXPECT_EQ(used.size(), 1);
    EXPECT_EQ(used.readAll(), "b");

    EXPECT_EQ(archive.MemberToStream(QStringLiteral("dir"), used), -1);
    EXPECT_EQ(archive.ReadMember(archive.FindMember(QStringLiteral("dir\\b.txt")) - 1, used),
              PackedArchive::NotAFile);
    EXPECT_EQ(archive.ReadMember(99, used), PackedArchive::NotAFile);
}

TEST_F(PackedArchiveTest, MembersReadEarlierStayIntact)
{
    ArchiveWriter writer;
    const QByteArray first = QByteArray("first member ").repeated(300);
    const QByteArray second = QByteArray("second one ").repeated(350);
    ASSERT_TRUE(writer.addFile(QStringLiteral("first.htm"), first));
    ASSERT_TRUE(writer.addFile(QStringLiteral("second.htm"), second));
    ASSERT_TRUE(writer.addFile(QStringLiteral("raw.bin"), "stored as is"));
    ASSERT_TRUE(open(writer.toBytes()));

    const QByteArray kept = member(QStringLiteral("first.htm"));
    EXPECT_EQ(member(QStringLiteral("second.htm")), second);
    EXPECT_EQ(kept, first);

    QByteArray changed = member(QStringLiteral("second.htm"));
    changed[0] = 'X';
    QBuffer written;
    ASSERT_EQ(archive.MemberToStream(QStringLiteral("first.htm"), written), 0);
    written.close();
    written.open(QIODevice::ReadWrite);
    written.write("overwritten");
    EXPECT_EQ(member(QStringLiteral("second.htm")), second);
    EXPECT_EQ(member(QStringLiteral("first.htm")), first);
    const QByteArray raw = member(QStringLiteral("raw.bin"));
    EXPECT_EQ(member(QStringLiteral("first.htm")), first);
    EXPECT_EQ(raw, "stored as is");
    EXPECT_EQ(changed.mid(1), second.mid(1));
    EXPECT_TRUE(written.data().startsWith("overwritten"));
}

TEST_F(PackedArchiveTest, ListsFilesDepthFirstSkippingDotNames)
{
    // Root: Z.HTM SUB .HIDDEN .SVN A.HTM ODD; SUB: DEEP IN.HTM; DEEP: LAST.HTM; .SVN: SECRET.
    RawArchive raw;
    raw.folders = {{0, 6}, {6, 2}, {8, 1}, {9, 1}};
    raw.entries = {raw.file("Z.HTM", "z", 1),     RawArchive::folder("SUB", 1),
                   raw.file(".HIDDEN", "h", 1),   RawArchive::folder(".SVN", 3),
                   raw.file("A.HTM", "a", 1),     {"ODD", 0, 0, 0, 7},
                   RawArchive::folder("DEEP", 2), raw.file("IN.HTM", "i", 1),
                   raw.file("LAST.HTM", "l", 1),  raw.file("SECRET", "s", 1)};
    ASSERT_TRUE(open(raw.bytes())) << archive.errorString().toStdString();
    EXPECT_EQ(archive.ListArchive(),
              QStringList({"Z.HTM", "SUB\\DEEP\\LAST.HTM", "SUB\\IN.HTM", "A.HTM"}));
    EXPECT_EQ(archive.FindMember(QStringLiteral(".svn\\secret")), 9);
    EXPECT_EQ(archive.FindMember(QStringLiteral("odd")), -1);
}

TEST_F(PackedArchiveTest, ReopeningReleasesTheOldArchiveAndClearsTheBase)
{
    ArchiveWriter first;
    ASSERT_TRUE(first.addFile(QStringLiteral("one.htm"), "1"));
    ASSERT_TRUE(open(first.toBytes()));
    archive.SetArchiveBase(QStringLiteral("z:\\disc\\"));
    EXPECT_GE(archive.FindMember(QStringLiteral("z:\\disc\\one.htm")), 0);

    ArchiveWriter second;
    ASSERT_TRUE(second.addFile(QStringLiteral("two.htm"), "2"));
    ASSERT_TRUE(open(second.toBytes()));
    EXPECT_TRUE(archive.ArchiveBase().isEmpty());
    EXPECT_EQ(archive.FindMember(QStringLiteral("one.htm")), -1);
    EXPECT_EQ(member(QStringLiteral("two.htm")), "2");

    EXPECT_FALSE(archive.OpenArchive(dir.virtualPath() + QStringLiteral("missing.dat")));
    EXPECT_FALSE(archive.isOpen());
    EXPECT_EQ(archive.FindMember(QStringLiteral("two.htm")), -1);
    EXPECT_TRUE(archive.ListArchive().isEmpty());
}

TEST_F(PackedArchiveTest, RejectsDamagedHeaders)
{
    RawArchive raw;
    raw.folders = {{0, 1}};
    raw.entries = {raw.file("A", "a", 1)};
    const QByteArray directory = raw.directory();
    const quint32 size = quint32(directory.size());

    expectRejected("short", "file shorter than the header");
    expectRejected(RawArchive::header(0, size + 1) + directory, "directory past the end");
    expectRejected(RawArchive::header(0, 0xFFFFFFF0u) + directory, "stored size near 4 GiB");
    expectRejected(RawArchive::header(0, 8) + directory, "directory smaller than its header");

    const QByteArray packed = deflated(directory);
    const quint32 stored = quint32(packed.size());
    expectRejected(RawArchive::header(1032 * stored + 65 - stored, stored) + packed,
                   "unpacked size beyond what deflate can reach");
    expectRejected(RawArchive::header(size - stored + 1, stored) + packed,
                   "directory inflates to less than declared");
    expectRejected(RawArchive::header(size - stored - 1, stored) + packed,
                   "directory inflates to more than declared");
    QByteArray corrupt = packed;
    corrupt[corrupt.size() / 2] = char(corrupt[corrupt.size() / 2] ^ 0x55);
    expectRejected(RawArchive::header(size - stored, stored) + corrupt, "corrupt zlib stream");
    expectRejected(RawArchive::header(size - stored, stored) + packed.left(stored - 4) +
                       QByteArray(4, 'x'),
                   "wrong Adler-32");

    // 300 KB of stored directory claiming 270 MiB: a plausible ratio, but past any sane size.
    const quint32 big = 300000;
    expectRejected(RawArchive::header(270u * 1024 * 1024 - big, big) + QByteArray(big, 'x'),
                   "directory above the size cap");
}

TEST_F(PackedArchiveTest, RejectsTablesThatDoNotFitOrPointOutside)
{
    const auto rejectedWith = [&](auto change, const char* what) {
        RawArchive raw;
        raw.folders = {{0, 2}, {2, 1}};
        raw.entries = {raw.file("A", "a", 1), RawArchive::folder("SUB", 1), raw.file("B", "b", 1)};
        ASSERT_TRUE(open(raw.bytes())) << "baseline for " << what;
        change(raw);
        expectRejected(raw.bytes(), what);
    };
    const auto directoryWith = [](const RawArchive& raw, int offset, quint32 value) {
        QByteArray directory = raw.directory();
        directory.replace(offset, 4, word(value));
        return RawArchive::header(0, quint32(directory.size())) + directory + raw.data;
    };

    RawArchive sound;
    sound.folders = {{0, 1}};
    sound.entries = {sound.file("A", "a", 1)};
    expectRejected(directoryWith(sound, 4, 2), "entry count beyond the directory");
    expectRejected(directoryWith(sound, 0, 0x20000000u), "8 F overflowing 32 bits");
    expectRejected(directoryWith(sound, 4, 0x03333334u), "80 E overflowing 32 bits");

    rejectedWith([](RawArchive& raw) { raw.root = 2; }, "root beyond the folder table");
    rejectedWith([](RawArchive& raw) { raw.folders[1] = {2, 2}; }, "folder past the entries");
    rejectedWith(
        [](RawArchive& raw) {
            raw.folders[1] = {0xFFFFFFFFu, 2};
        },
        "first + count overflowing 32 bits");
    rejectedWith([](RawArchive& raw) { raw.entries[1].offset = 2; }, "folder index beyond F");
    rejectedWith([](RawArchive& raw) { raw.entries[2] = RawArchive::folder("UP", 0); },
                 "cycle back to the root");
    rejectedWith([](RawArchive& raw) { raw.entries[0] = RawArchive::folder("SELF", 0); },
                 "root containing itself");
    rejectedWith([](RawArchive& raw) { raw.entries[0] = RawArchive::folder("TWICE", 1); },
                 "one folder reached from two entries");
    rejectedWith(
        [](RawArchive& raw) {
            raw.folders[1] = {0, 1};
        },
        "an entry shared between folders");
}

TEST_F(PackedArchiveTest, DamagedMembersAreErrorsNotCrashes)
{
    const QByteArray text = QByteArray("some page text, ").repeated(50);
    const QByteArray packed = deflated(text);
    const quint32 size = quint32(text.size());
    RawArchive raw;
    raw.folders = {{0, 9}};
    QByteArray corrupt = packed;
    corrupt[4] = char(corrupt[4] ^ 0x3C);
    raw.entries = {raw.file("GOOD", packed, size),
                   raw.file("SHORTER", packed, size - 1),
                   raw.file("LONGER", packed, size + 1),
                   raw.file("CORRUPT", corrupt, size),
                   raw.file("BOMB", packed.left(10), 1u << 20),
                   raw.file("EMPTY", deflated(""), 0),
                   {"PAST", quint32(raw.data.size()) - 4, 10, 10, PackedArchive::KindFile},
                   {"FAR", 0xFFFFFFF0u, 32, 32, PackedArchive::KindFile},
                   {"HUGE", 0, 0xFFFFFFFFu, 0xFFFFFFFFu, PackedArchive::KindFile}};
    ASSERT_TRUE(open(raw.bytes())) << archive.errorString().toStdString();
    EXPECT_EQ(member(QStringLiteral("good")), text);
    EXPECT_EQ(member(QStringLiteral("empty")), QByteArray());
    for (const char* name : {"SHORTER", "LONGER", "CORRUPT", "BOMB", "PAST", "FAR", "HUGE"}) {
        QBuffer stream;
        stream.setData("untouched");
        const int index = archive.FindMember(QString::fromLatin1(name));
        ASSERT_GE(index, 0) << name;
        EXPECT_EQ(archive.ReadMember(index, stream), PackedArchive::Damaged) << name;
        EXPECT_TRUE(archive.errorString().contains(QString::fromLatin1(name))) << name;
        EXPECT_EQ(stream.data(), "untouched") << name;
    }
    // The bomb is refused from its sizes alone, before anything is allocated or inflated.
    QByteArray bytes;
    EXPECT_EQ(archive.ReadMember(archive.FindMember(QStringLiteral("bomb")), bytes),
              PackedArchive::Damaged);
    EXPECT_TRUE(archive.errorString().contains(QStringLiteral("impossible size")));
}

// Heads of members: only the first bytes are inflated, across several pieces
// of stored bytes when need be. Damage the head shows (a broken stream, too
// few bytes, sizes that do not fit) is caught; damage further on is left to
// the full read, whose checksum sees it.
TEST_F(PackedArchiveTest, HeadsOfMembersAreTheirFirstBytes)
{
    QByteArray noise(120 * 1024, Qt::Uninitialized);
    quint32 state = 12345;
    for (char& byte : noise) {
        state = state * 1103515245u + 12345u;
        byte = char(state >> 24);
    }
    const QByteArray text = QByteArray("some page text, ").repeated(50);
    QByteArray corrupt = deflated(text);
    corrupt[0] = char(corrupt[0] ^ 0x5A);
    RawArchive raw;
    raw.folders = {{0, 6}};
    raw.entries = {raw.file("NOISE", deflated(noise), quint32(noise.size())),
                   raw.file("RAW", text, quint32(text.size())),
                   raw.file("CORRUPT", corrupt, quint32(text.size())),
                   raw.file("CUT", deflated(text).left(20), quint32(text.size())),
                   {"PAST", quint32(raw.data.size()) - 4, 10, 10, PackedArchive::KindFile},
                   {"HUGE", 0, 0xFFFFFFFFu, 0xFFFFFFFFu, PackedArchive::KindFile}};
    ASSERT_TRUE(open(raw.bytes())) << archive.errorString().toStdString();
    const auto head = [this](const char* name, qint64 limit, QByteArray& bytes) {
        return archive.ReadMemberHead(archive.FindMember(QString::fromLatin1(name)), limit, bytes);
    };
    QByteArray bytes;
    ASSERT_EQ(head("NOISE", 50000, bytes), 0);
    EXPECT_EQ(bytes, noise.left(50000));
    ASSERT_EQ(head("NOISE", 1 << 30, bytes), 0);
    EXPECT_EQ(bytes, noise);
    ASSERT_EQ(head("NOISE", 0, bytes), 0);
    EXPECT_TRUE(bytes.isEmpty());
    ASSERT_EQ(head("RAW", 10, bytes), 0);
    EXPECT_EQ(bytes, text.left(10));
    ASSERT_EQ(head("CUT", 5, bytes), 0);
    EXPECT_EQ(bytes, text.left(5));
    for (const char* name : {"CORRUPT", "CUT", "PAST", "HUGE"}) {
        bytes = "untouched";
        EXPECT_EQ(head(name, 4096, bytes), PackedArchive::Damaged) << name;
        EXPECT_EQ(bytes, "untouched") << name;
    }
    EXPECT_EQ(archive.ReadMemberHead(-1, 10, bytes), PackedArchive::NotAFile);
}

TEST_F(PackedArchiveTest, ProcessWideFunctionsReportDamageThroughTheHandler)
{
    RawArchive raw;
    raw.folders = {{0, 2}};
    raw.entries = {raw.file("OK.TXT", "fine", 4), raw.file("BAD.TXT", "garbage!", 100)};
    const QString path = save(raw.bytes());
    ASSERT_TRUE(OpenArchive(path));
    SetArchiveBase(dir.virtualPath());
    QStringList reports;
    SetArchiveDamageHandler([&](const QString& message) { reports.append(message); });

    QBuffer stream;
    EXPECT_EQ(MemberToStream(dir.virtualPath() + QStringLiteral("ok.txt"), stream), 0);
    EXPECT_EQ(stream.data(), "fine");
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_EQ(MemberToStream(QStringLiteral("bad.txt"), stream), PackedArchive::Damaged);
    EXPECT_EQ(ReadMember(FindMember(QStringLiteral("bad.txt")), stream), PackedArchive::Damaged);
    ASSERT_EQ(reports.size(), 2);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("BAD.TXT")));
    EXPECT_EQ(ListArchive(), QStringList({"OK.TXT", "BAD.TXT"}));

    dir.write(QStringLiteral("disk only.txt"), "x");
    EXPECT_TRUE(FileOrMemberExists(dir.virtualPath() + QStringLiteral("DISK ONLY.TXT")));
    EXPECT_TRUE(FileOrMemberExists(QStringLiteral("ok.txt")));
    EXPECT_FALSE(FileOrMemberExists(dir.virtualPath() + QStringLiteral("neither.txt")));
    SetArchiveDamageHandler({});
}

TEST_F(PackedArchiveTest, DefaultDamageHandlerEndsTheProcessWithStatusThree)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    RawArchive raw;
    raw.folders = {{0, 1}};
    raw.entries = {raw.file("BAD.TXT", "garbage!", 100)};
    const QString path = save(raw.bytes());
    EXPECT_EXIT(
        {
            OpenArchive(path);
            QBuffer stream;
            MemberToStream(QStringLiteral("bad.txt"), stream);
        },
        ::testing::ExitedWithCode(3), "discshell: damaged archive: member BAD.TXT");
}

} // namespace
