#include "TempDir.h"
#include "ToolRunner.h"
#include "data/ConfigText.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct ProcessResult {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

ProcessResult runDisctool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(DISCTOOL_PATH), arguments);
    ProcessResult result;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

} // namespace

TEST(DisctoolProcess, EncodeDecodeAndPackRoundTrip)
{
    TempDir dir;
    const QString text = QStringLiteral("title=Демонстрационный диск\r\n1_screen=main.bmp\r\n");
    const QString source = dir.write(QStringLiteral("resources/Struct.txt"), text.toUtf8());
    const QString encoded = dir.file(QStringLiteral("Struct.cfs"));

    const ProcessResult encode = runDisctool({"cfs", "encode", source, "-o", encoded});
    ASSERT_EQ(encode.status, 0) << encode.err.toStdString();
    const ProcessResult decode = runDisctool({"cfs", "decode", encoded});
    ASSERT_EQ(decode.status, 0);
    EXPECT_EQ(QString::fromUtf8(decode.out),
              QStringLiteral("title=Демонстрационный диск\n1_screen=main.bmp\n"));

    const QString container = dir.file(QStringLiteral("Mev.dhl"));
    ASSERT_EQ(runDisctool({"dhl", "pack", dir.file("resources"), "-o", container}).status, 0);
    const ProcessResult cat = runDisctool({"dhl", "cat", container, "STRUCT.CFS"});
    ASSERT_EQ(cat.status, 0);
    QFile file(encoded);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(cat.out, file.readAll()) << "raw bytes pass standard output unchanged";
}

TEST(DisctoolProcess, DamagedInputIsStatusTwoWithOneLine)
{
    TempDir dir;
    const QString damaged = dir.write(QStringLiteral("interface.dat"), QByteArray(7, '\x01'));
    const ProcessResult run = runDisctool({"dat", "list", damaged});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith("disctool: "));
    EXPECT_EQ(run.err.count('\n'), 1);

    const ProcessResult usage = runDisctool({});
    EXPECT_EQ(usage.status, 2);
    EXPECT_TRUE(usage.err.startsWith("disctool: "));
}

// A FIFO named interface.dat and a kernel file as the input: each fails at
// once with status 2, and DISCSHELL_LOG=1 names what was refused.
TEST(DisctoolProcess, FifosAndKernelFilesFailAtOnce)
{
    TempDir dir;
    const QString fifo = dir.file(QStringLiteral("interface.dat"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    qputenv("DISCSHELL_LOG", "1");
    const ProcessResult list = runDisctool({"dat", "list", fifo});
    const ProcessResult decode = runDisctool({"cfs", "decode", "/proc/self/pagemap"});
    qunsetenv("DISCSHELL_LOG");
    EXPECT_EQ(list.status, 2);
    EXPECT_TRUE(list.err.contains("refused a read of a file that is not a regular file"))
        << list.err.toStdString();
    EXPECT_EQ(decode.status, 2);
    EXPECT_TRUE(decode.err.contains("refused a read of a kernel pseudo file"))
        << decode.err.toStdString();
}
