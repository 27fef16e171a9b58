#include "platform/IsoImage.h"

#include "IsoMaker.h"
#include "TempDir.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

constexpr qint64 Sector = IsoImage::SectorSize;
constexpr qint64 PrimaryRoot = 16 * Sector + 156;

// A disc folder and the image made of it in one temporary folder.
class IsoImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!IsoMaker::available()) {
            GTEST_SKIP() << "xorriso is not installed";
        }
    }
    void put(const QString& relative, const QByteArray& bytes = "x")
    {
        dir.write(QStringLiteral("disc/") + relative, bytes);
    }
    QString image(IsoMaker::Names names)
    {
        const QString path = dir.file(QStringLiteral("disc.iso"));
        const QString error = IsoMaker::make(dir.file(QStringLiteral("disc")), path, names);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return path;
    }
    static std::optional<int> find(const IsoImage& iso, const QString& path)
    {
        return iso.find(path.split(QLatin1Char('/'), Qt::SkipEmptyParts));
    }
    static QByteArray content(const IsoImage& iso, const QString& path)
    {
        const std::optional<int> node = find(iso, path);
        if (!node) {
            return "<missing>";
        }
        return iso.read(*node, 0, iso.node(*node).size).value_or("<unreadable>");
    }
    static QStringList names(const IsoImage& iso, int folder)
    {
        QStringList result;
        for (const int child : iso.node(folder).children) {
            result.append(iso.node(child).name);
        }
        result.sort();
        return result;
    }

    TempDir dir;
};

// The byte offset of the record named isoName in the primary root directory.
qint64 primaryRecord(const QByteArray& bytes, const QByteArray& isoName)
{
    const qint64 root = qFromLittleEndian<quint32>(bytes.constData() + PrimaryRoot + 2) * Sector;
    for (qint64 at = root; at < root + Sector && bytes.at(at) != 0; at += uchar(bytes.at(at))) {
        if (bytes.mid(at + 33, uchar(bytes.at(at + 32))).startsWith(isoName)) {
            return at;
        }
    }
    return -1;
}

void setExtent(QByteArray& bytes, qint64 record, quint32 extent)
{
    qToLittleEndian(extent, bytes.data() + record + 2);
    qToBigEndian(extent, bytes.data() + record + 6);
}

} // namespace

TEST_F(IsoImageTest, NamesComeFromJolietThenRockRidgeThenIso)
{
    put(QStringLiteral("Длинное имя страницы.Html"), "joliet");
    put(QStringLiteral("Папка/Вложенная/Глубже/текст.txt"), "deep");
    put(QStringLiteral("readme"), "plain");
    {
        IsoImage iso;
        ASSERT_TRUE(iso.open(image(IsoMaker::Names::JolietAndRockRidge)))
            << iso.errorString().toStdString();
        EXPECT_TRUE(iso.usesJoliet());
        EXPECT_EQ(
            names(iso, IsoImage::Root),
            (QStringList{QStringLiteral("readme"), QStringLiteral("Длинное имя страницы.Html"),
                         QStringLiteral("Папка")}));
        EXPECT_EQ(content(iso, QStringLiteral("Папка/Вложенная/Глубже/текст.txt")), "deep");
        EXPECT_EQ(iso.components(*find(iso, QStringLiteral("Папка/Вложенная/Глубже"))),
                  (QStringList{QStringLiteral("Папка"), QStringLiteral("Вложенная"),
                               QStringLiteral("Глубже")}));
    }
    {
        IsoImage iso;
        ASSERT_TRUE(iso.open(image(IsoMaker::Names::RockRidge))) << iso.errorString().toStdString();
        EXPECT_FALSE(iso.usesJoliet());
        EXPECT_EQ(content(iso, QStringLiteral("Длинное имя страницы.Html")), "joliet");
        EXPECT_EQ(content(iso, QStringLiteral("Папка/Вложенная/Глубже/текст.txt")), "deep");
    }
    {
        // Plain ISO names: upper case, without the ";1" version and the lone ".".
        IsoImage iso;
        ASSERT_TRUE(iso.open(image(IsoMaker::Names::Plain))) << iso.errorString().toStdString();
        EXPECT_EQ(content(iso, QStringLiteral("README")), "plain");
        for (const QString& name : names(iso, IsoImage::Root)) {
            EXPECT_FALSE(name.contains(QLatin1Char(';')) || name.endsWith(QLatin1Char('.')))
                << name.toStdString();
        }
    }
}

TEST_F(IsoImageTest, LookupIgnoresCaseWithCyrillicAndPrefersTheExactName)
{
    put(QStringLiteral("Страницы/Глава.HTM"), "chapter");
    put(QStringLiteral("Mixed/a.txt"), "lower");
    put(QStringLiteral("Mixed/A.txt"), "upper");
    IsoImage iso;
    ASSERT_TRUE(iso.open(image(IsoMaker::Names::JolietAndRockRidge)));
    EXPECT_EQ(content(iso, QStringLiteral("СТРАНИЦЫ/глава.htm")), "chapter");
    EXPECT_EQ(content(iso, QStringLiteral("mixed/a.txt")), "lower");
    EXPECT_EQ(content(iso, QStringLiteral("MIXED/A.txt")), "upper");
    // Neither is exact: the first in code-point order ("A" before "a").
    EXPECT_EQ(content(iso, QStringLiteral("mixed/A.TXT")), "upper");
    EXPECT_FALSE(find(iso, QStringLiteral("Страницы/Глава.HTM/x")));
    EXPECT_FALSE(find(iso, QStringLiteral("Страницы/Нет.htm")));
}

TEST_F(IsoImageTest, ReadsALargeFileAtAnyOffset)
{
    QByteArray big(5 * 1024 * 1024 + 123, Qt::Uninitialized);
    for (qsizetype i = 0; i < big.size(); ++i) {
        big[i] = char((i * 7 + i / 4096) & 0xff);
    }
    put(QStringLiteral("clip.mpg"), big);
    put(QStringLiteral("after.txt"), "after");
    IsoImage iso;
    ASSERT_TRUE(iso.open(image(IsoMaker::Names::Joliet)));
    const int clip = *find(iso, QStringLiteral("clip.mpg"));
    EXPECT_EQ(iso.node(clip).size, big.size());
    for (const qint64 offset :
         {qint64(0), Sector - 1, Sector, qint64(3 * 1024 * 1024 + 1), qint64(big.size() - 10)}) {
        EXPECT_EQ(iso.read(clip, offset, 5000), big.mid(offset, 5000)) << offset;
    }
    EXPECT_EQ(iso.read(clip, big.size(), 10), QByteArray());
    EXPECT_EQ(iso.read(clip, big.size() + Sector, 10), QByteArray());
    EXPECT_EQ(iso.read(clip, iso.imageSize() * 2, 10), QByteArray()) << "past the image too";
    EXPECT_EQ(content(iso, QStringLiteral("after.txt")), "after");
    EXPECT_FALSE(iso.read(IsoImage::Root, 0, 10)) << "a folder has no bytes";
}

// Each damage fails open with one line naming the image, or (records of
// length zero) leaves entries out; none reads past the image or hangs.
TEST_F(IsoImageTest, DamagedImagesFailQuietly)
{
    put(QStringLiteral("SUB/inner.txt"), "inner");
    put(QStringLiteral("TAIL.BIN"), QByteArray(300 * 1024, 't'));
    const QString path = image(IsoMaker::Names::Plain);
    const QByteArray good = IsoMaker::readAll(path);
    ASSERT_GT(good.size(), 20 * Sector);
    const qint64 sub = primaryRecord(good, "SUB");
    const qint64 tail = primaryRecord(good, "TAIL.BIN");
    ASSERT_GT(sub, 0);
    ASSERT_GT(tail, 0);
    const quint32 rootExtent = qFromLittleEndian<quint32>(good.constData() + PrimaryRoot + 2);

    const auto openPatched = [&](const QByteArray& bytes) {
        const QString damaged = dir.file(QStringLiteral("damaged.iso"));
        EXPECT_TRUE(IsoMaker::writeAll(damaged, bytes));
        IsoImage iso;
        const bool opened = iso.open(damaged);
        EXPECT_FALSE(iso.errorString().contains(QLatin1Char('\n')));
        EXPECT_EQ(opened, !iso.hasError());
        return std::pair(opened, iso.errorString());
    };
    const auto expectDamage = [&](const QByteArray& bytes, const char* why, const char* said) {
        const auto [opened, error] = openPatched(bytes);
        EXPECT_FALSE(opened) << why;
        EXPECT_TRUE(error.startsWith(dir.file(QStringLiteral("damaged.iso")) + QLatin1Char(':')))
            << why;
        EXPECT_TRUE(error.contains(QLatin1String(said))) << why << ": " << error.toStdString();
    };

    const qint64 tailStart = qFromLittleEndian<quint32>(good.constData() + tail + 2) * Sector;
    expectDamage(good.left(tailStart + 1000), "truncated inside a file",
                 "TAIL.BIN extends beyond the end");
    expectDamage(good.left(10 * Sector), "truncated before the descriptors", "shorter than");
    QByteArray beyond = good;
    setExtent(beyond, tail, quint32(good.size() / Sector - 2));
    expectDamage(beyond, "file extent running past the end", "TAIL.BIN extends");
    QByteArray farAway = good;
    setExtent(farAway, sub, 0xfffffff0u);
    expectDamage(farAway, "directory extent beyond the end", "extent beyond the end");
    QByteArray loop = good;
    setExtent(loop, sub, rootExtent);
    expectDamage(loop, "a folder that is the root again", "directory loop at SUB");
    QByteArray shortRecord = good;
    shortRecord[sub] = char(20);
    expectDamage(shortRecord, "a record shorter than its fixed part", "record cut short");
    QByteArray longName = good;
    longName[sub + 32] = char(200);
    expectDamage(longName, "a name longer than its record", "name longer than");
    QByteArray blockSize = good;
    blockSize[16 * Sector + 128] = char(0);
    blockSize[16 * Sector + 129] = char(2);
    expectDamage(blockSize, "512-byte blocks", "blocks of 512 bytes");

    QByteArray zero = good;
    zero[sub] = char(0);
    const auto [opened, error] = openPatched(zero);
    EXPECT_TRUE(opened) << error.toStdString() << " (the rest of the sector is padding)";
    expectDamage(QByteArray(40 * Sector, '\0'), "no volume descriptor at all",
                 "without its signature");
    EXPECT_FALSE(IsoImage::looksLikeImage(dir.file(QStringLiteral("damaged.iso"))));
    EXPECT_TRUE(IsoImage::looksLikeImage(path));
    EXPECT_FALSE(IsoImage::looksLikeImage(dir.path()));
}
