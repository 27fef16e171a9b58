#include "TempDir.h"
#include "ToolRunner.h"
#include "data/ConfigText.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct RoundTrip {
    const char* name;
    QString source;      // the UTF-8 text file
    QString encodedText; // the text the .cfs must hold (CR LF line ends)
    QString decoded;     // what "cfs decode" prints
};

void PrintTo(const RoundTrip& trip, std::ostream* out)
{
    *out << trip.name;
}

class CfsRoundTrip : public testing::TestWithParam<RoundTrip> {};

} // namespace

TEST_P(CfsRoundTrip, EncodeThenDecodeGivesTheText)
{
    const RoundTrip& trip = GetParam();
    TempDir dir;
    const QString source = dir.write(QStringLiteral("source.txt"), trip.source.toUtf8());
    const QString encoded = dir.file(QStringLiteral("out.cfs"));

    const ToolResult encodeRun = runTool({"cfs", "encode", source, "-o", encoded});
    ASSERT_EQ(encodeRun.status, 0) << encodeRun.err.toStdString();
    EXPECT_TRUE(encodeRun.err.isEmpty());
    const QByteArray bytes = readAll(encoded);
    EXPECT_EQ(bytes.size(), 2 * cp1251(trip.encodedText).size());
    EXPECT_EQ(DecodeConfigText(bytes), cp1251(trip.encodedText));

    const ToolResult decodeRun = runTool({"cfs", "decode", encoded});
    ASSERT_EQ(decodeRun.status, 0) << decodeRun.err.toStdString();
    EXPECT_EQ(decodeRun.outText(), trip.decoded);

    // The printed text encodes back to the same file.
    const QString again = dir.write(QStringLiteral("again.txt"), decodeRun.out);
    const QString reencoded = dir.file(QStringLiteral("again.cfs"));
    ASSERT_EQ(runTool({"cfs", "encode", again, "-o", reencoded}).status, 0);
    EXPECT_EQ(readAll(reencoded), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CfsRoundTrip,
    testing::Values(RoundTrip{"Cyrillic", QStringLiteral("title=Демонстрационный диск\nvx=10"),
                              QStringLiteral("title=Демонстрационный диск\r\nvx=10"),
                              QStringLiteral("title=Демонстрационный диск\nvx=10")},
                    RoundTrip{"CrLf", QStringLiteral("a\r\nб\r\nc"), QStringLiteral("a\r\nб\r\nc"),
                              QStringLiteral("a\nб\nc")},
                    RoundTrip{"EndsInCrLf", QStringLiteral("Ёлка\r\nхвоя\r\n"),
                              QStringLiteral("Ёлка\r\nхвоя\r\n"), QStringLiteral("Ёлка\nхвоя\n")},
                    RoundTrip{"MixedLineEnds", QStringLiteral("a\nb\r\nc\n"),
                              QStringLiteral("a\r\nb\r\nc\r\n"), QStringLiteral("a\nb\nc\n")},
                    RoundTrip{"LoneCarriageReturnStays", QStringLiteral("a\rb\nc\r"),
                              QStringLiteral("a\rb\r\nc\r"), QStringLiteral("a\rb\nc\r")},
                    RoundTrip{"Empty", QString(), QString(), QString()},
                    RoundTrip{"OnlyLineBreak", QStringLiteral("\n"), QStringLiteral("\r\n"),
                              QStringLiteral("\n")}),
    [](const testing::TestParamInfo<RoundTrip>& param) { return std::string(param.param.name); });

TEST(CfsCommand, ByteOrderMarkIsDropped)
{
    TempDir dir;
    const QString source = dir.write(QStringLiteral("bom.txt"), "\xEF\xBB\xBFtitle=x");
    const QString encoded = dir.file(QStringLiteral("bom.cfs"));
    ASSERT_EQ(runTool({"cfs", "encode", source, "-o", encoded}).status, 0);
    EXPECT_EQ(DecodeConfigText(readAll(encoded)), QByteArray("title=x"));
}

TEST(CfsCommand, DecodeLowerCasesOnlyLatinLettersAndPrintsJson)
{
    TempDir dir;
    const QString encoded = dir.write(
        QStringLiteral("s.cfs"), EncodeConfig(cp1251(QStringLiteral("Title=Книга\r\nVX=1\r\n"))));

    const ToolResult lower = runTool({"cfs", "decode", encoded, "--lower"});
    ASSERT_EQ(lower.status, 0);
    EXPECT_EQ(lower.outText(), QStringLiteral("title=Книга\nvx=1\n"));

    const ToolResult json = runTool({"cfs", "decode", "--json", encoded});
    ASSERT_EQ(json.status, 0);
    const QJsonDocument document = QJsonDocument::fromJson(json.out);
    ASSERT_TRUE(document.isArray());
    EXPECT_EQ(document.array().toVariantList(),
              QVariantList({QStringLiteral("Title=Книга"), QStringLiteral("VX=1"), QString()}));
}

TEST(CfsCommand, JsonTellsNoLinesFromOneEmptyLine)
{
    TempDir dir;
    const QString empty = dir.write(QStringLiteral("empty.cfs"), QByteArray());
    const QString oneByte = dir.write(QStringLiteral("one.cfs"), QByteArray(1, 'x'));
    EXPECT_EQ(runTool({"cfs", "decode", empty, "--json"}).outText(), QStringLiteral("[]\n"));
    EXPECT_EQ(runTool({"cfs", "decode", oneByte, "--json"}).outText(), QStringLiteral("[\"\"]\n"));
}

TEST(CfsCommand, ArbitraryBytesStillDecode)
{
    TempDir dir;
    QByteArray noise;
    for (int i = 0; i < 4096; ++i) {
        noise.append(char((i * 131 + 7) % 256));
    }
    const ToolResult run = runTool({"cfs", "decode", dir.write(QStringLiteral("n.cfs"), noise)});
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(run.out.isEmpty());
}

TEST(CfsCommand, BadInputIsStatusTwoWithOneLine)
{
    TempDir dir;
    const QString out = dir.file(QStringLiteral("out.cfs"));
    const QString notUtf8 = dir.write(QStringLiteral("latin1.txt"), "title=\xE9t\xE9");
    const QString chinese = dir.write(QStringLiteral("zh.txt"), QStringLiteral("a\n漢字").toUtf8());

    const ToolResult badUtf8 = runTool({"cfs", "encode", notUtf8, "-o", out});
    EXPECT_EQ(badUtf8.status, 2);
    EXPECT_TRUE(badUtf8.err.contains(QStringLiteral("UTF-8")));

    const ToolResult unencodable = runTool({"cfs", "encode", chinese, "-o", out});
    EXPECT_EQ(unencodable.status, 2);
    EXPECT_TRUE(unencodable.err.contains(QStringLiteral("line 2")))
        << unencodable.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    for (const ToolResult& run : {badUtf8, unencodable}) {
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("disctool: ")));
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1);
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(CfsCommand, MissingFilesAndBadArgumentsAreStatusTwo)
{
    TempDir dir;
    const QString text = dir.write(QStringLiteral("t.txt"), "x");
    EXPECT_EQ(runTool({"cfs", "decode", dir.file(QStringLiteral("none.cfs"))}).status, 2);
    EXPECT_EQ(runTool({"cfs", "decode", dir.path()}).status, 2);
    EXPECT_EQ(runTool({"cfs", "encode", text}).status, 2);
    EXPECT_EQ(runTool({"cfs", "encode", text, "-o"}).status, 2);
    EXPECT_EQ(runTool({"cfs", "encode", text, "-o", dir.path() + "/no/such/folder/x.cfs"}).status,
              2);
    EXPECT_EQ(runTool({"cfs", "decode"}).status, 2);
    EXPECT_EQ(runTool({"cfs", "decode", text, text}).status, 2);
    EXPECT_EQ(runTool({"cfs", "decode", text, "--upper"}).status, 2);
    EXPECT_EQ(runTool({"cfs", "squash", text}).status, 2);
    EXPECT_EQ(runTool({"cfs"}).status, 2);
}
