#include "platform/WineProcess.h"

#include "TempDir.h"
#include "platform/Processes.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// Finds "wine" and "wineserver" as scripts of the test that record how they
// were called; nothing else is found.
struct ScriptedWine : IProcessLauncher {
    QString folder;
    explicit ScriptedWine(QString scripts) : folder(std::move(scripts)) {}
    bool StartDetached(const QString&, const QStringList&, const QString&) override
    {
        return false;
    }
    QString FindExecutable(const QString& name) const override
    {
        const QString path = folder + QLatin1Char('/') + name;
        return QFile::exists(path) ? path : QString();
    }
};

class WineProcessRun : public ::testing::Test {
protected:
    WineProcessRun() { SetProcessLauncher(std::make_unique<ScriptedWine>(scripts.path())); }
    ~WineProcessRun() override { SetProcessLauncher(nullptr); }

    void Script(const char* name, const QByteArray& body)
    {
        const QString path = scripts.write(QLatin1String(name), "#!/bin/sh\n" + body);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // The wine script writes its arguments, the line it was handed and its
    // folder, one a line; the server script notes that it was waited for.
    void RecordingWine()
    {
        Script("wine", "{ echo \"$*\"; printf '%s\\n' \"$DISCSHELL_COMMAND_LINE\"; pwd; } > " +
                           QFile::encodeName(record.file(QStringLiteral("wine.txt"))) + "\n");
        Script("wineserver", "echo \"$*\" > " +
                                 QFile::encodeName(record.file(QStringLiteral("server.txt"))) +
                                 "\n");
    }
    QStringList Recorded(const char* name) const
    {
        QFile file(record.file(QLatin1String(name)));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    TempDir scripts;
    TempDir record;
    TempDir folder;
};

} // namespace

// The line reaches Wine's interpreter whole through the environment, the
// unclosed quote included; then the server is waited for.
TEST_F(WineProcessRun, TheLineIsHandedOverAsWrittenAndTheServerWaitedFor)
{
    RecordingWine();
    const QString line = QStringLiteral("c:\\windows\\IsUninst.exe -f\"c:\\Мои игры\\A & B "
                                        "100%\\Uninst.isu");
    ASSERT_TRUE(WineProcess::RunAndWait(line, folder.path(), 20000));
    const QStringList wine = Recorded("wine.txt");
    ASSERT_EQ(wine.size(), 3);
    EXPECT_EQ(wine[0], QStringLiteral("cmd /c %DISCSHELL_COMMAND_LINE%"));
    EXPECT_EQ(wine[1], line);
    EXPECT_EQ(QDir(wine[2]).canonicalPath(), QDir(folder.path()).canonicalPath());
    EXPECT_EQ(Recorded("server.txt"), QStringList{QStringLiteral("-w")});
}

TEST_F(WineProcessRun, OperatorsOutsideQuotesAndControlCharactersAreNeverHandedOver)
{
    RecordingWine();
    for (const char* line :
         {"c:\\windows\\IsUninst.exe -f\"c:\\a\"&calc.exe", "c:\\windows\\IsUninst.exe | more",
          "prog >c:\\out.txt", "prog ^& x", "(prog)", "prog -f\"c:\\a\r\nformat c:", "  "}) {
        EXPECT_FALSE(WineProcess::CanHandOver(QString::fromUtf8(line))) << line;
        EXPECT_FALSE(WineProcess::RunAndWait(QString::fromUtf8(line), folder.path(), 20000));
    }
    EXPECT_TRUE(Recorded("wine.txt").isEmpty());
    EXPECT_TRUE(WineProcess::CanHandOver(QStringLiteral("prog -f\"c:\\(x) & <y>|^z")));
    EXPECT_TRUE(WineProcess::CanHandOver(QStringLiteral("prog \"a&b\" c")));
}

TEST_F(WineProcessRun, WithoutWineNothingRunsAndAHangingProgramIsGivenUpOn)
{
    EXPECT_FALSE(WineProcess::RunAndWait(QStringLiteral("prog"), folder.path(), 20000));
    EXPECT_FALSE(WineProcess::WaitForServer(1000));

    RecordingWine();
    Script("wine", "exec sleep 30\n");
    // Started but not ended in time: killed, and no server wait follows.
    EXPECT_TRUE(WineProcess::RunAndWait(QStringLiteral("prog"), folder.path(), 200));
    EXPECT_TRUE(Recorded("server.txt").isEmpty());
}
