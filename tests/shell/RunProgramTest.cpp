// The "run" command: programs start in their own folder as argument vectors,
// Windows programs under Wine, documents through the desktop's handler.

#include "RecordingHost.h"
#include "TempDir.h"
#include "data/ProcessPaths.h"
#include "platform/Processes.h"
#include "platform/VirtualFs.h"
#include "shell/CommandDispatcher.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using shelltest::CallLog;
using shelltest::RecordingComponents;
using shelltest::RecordingHost;

namespace {

struct Started {
    QString program;
    QStringList arguments;
    QString folder;
};

class RecordingLauncher : public IProcessLauncher {
public:
    RecordingLauncher(QList<Started>& started, bool wine) : started_(started), wine_(wine) {}
    bool StartDetached(const QString& program, const QStringList& arguments,
                       const QString& folder) override
    {
        started_ << Started{program, arguments, folder};
        return true;
    }
    QString FindExecutable(const QString& name) const override
    {
        if (name == QLatin1String("wine")) {
            return wine_ ? QStringLiteral("/usr/bin/wine") : QString();
        }
        return QStringLiteral("/usr/bin/") + name;
    }

private:
    QList<Started>& started_;
    bool wine_;
};

class RunProgramTest : public testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        // The folder is the disc; its files are named through "z:\" here.
        VirtualFs::instance().mount(QStringLiteral("d:\\"), disc.path());
        QDir().mkpath(disc.file(QStringLiteral("Игры/Setup")));
        for (const char* name : {"Игры/Setup/Setup.EXE", "Игры/readme.txt"}) {
            QFile file(disc.file(QString::fromUtf8(name)));
            file.open(QIODevice::WriteOnly);
        }
        folder = QDir::currentPath();
    }
    void TearDown() override
    {
        SetProcessLauncher(nullptr);
        VirtualFs::instance().unmount(QStringLiteral("d:\\"));
        QDir::setCurrent(folder);
    }

    void run(const QString& command, bool wine)
    {
        SetProcessLauncher(std::make_unique<RecordingLauncher>(started, wine));
        QString text = command;
        QString sound;
        dispatcher.ExecuteCommand(text, sound, 0, 0, 1);
    }

    TempDir disc;
    QString folder;
    QList<Started> started;
    CallLog log;
    RecordingHost host{log};
    RecordingComponents components{log};
    TCommandDispatcher dispatcher{host, components.set};
};

TEST_F(RunProgramTest, AWindowsProgramRunsUnderWineInItsFolderWithItsParameters)
{
    const QString setup = disc.virtualPath() + QStringLiteral("игры\\setup\\setup.exe");
    run(QStringLiteral("run=") + setup + QStringLiteral("=/s \"C:\\Program Files\\x\"  -q"), true);
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].program, QStringLiteral("/usr/bin/wine"));
    EXPECT_EQ(started[0].arguments, (QStringList{disc.file(QStringLiteral("Игры/Setup/Setup.EXE")),
                                                 "/s", "C:\\Program Files\\x", "-q"}));
    EXPECT_EQ(started[0].folder, disc.file(QStringLiteral("Игры/Setup")));
    EXPECT_EQ(VirtualFs::instance().currentFolder().toLower(),
              (disc.virtualPath() + QStringLiteral("игры\\setup\\")).toLower());
}

TEST_F(RunProgramTest, WithoutWineAWindowsProgramDoesNotStart)
{
    run(QStringLiteral("run=") + disc.virtualPath() + QStringLiteral("игры\\setup\\setup.exe"),
        false);
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(RunProgramTest, ADocumentOpensWithTheDesktopHandlerAndAMissingFileNowhere)
{
    run(QStringLiteral("run=") + disc.virtualPath() + QStringLiteral("игры\\README.TXT=ignored"),
        true);
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].program, QStringLiteral("/usr/bin/xdg-open"));
    EXPECT_EQ(started[0].arguments, QStringList{disc.file(QStringLiteral("Игры/readme.txt"))});
    started.clear();
    run(QStringLiteral("run=") + disc.virtualPath() + QStringLiteral("игры\\gone.exe"), true);
    run(QStringLiteral("run=") + disc.virtualPath() + QStringLiteral("игры"), true);
    EXPECT_TRUE(started.isEmpty()) << "a missing file and a folder start nothing";
}

TEST(ProcessesTest, ParametersSplitAtBlanksOutsideQuotes)
{
    EXPECT_EQ(Processes::SplitParameters(QStringLiteral("  /s  /v\"a b\" \"\" x")),
              (QStringList{"/s", "/va b", "", "x"}));
    EXPECT_TRUE(Processes::SplitParameters(QStringLiteral("   ")).isEmpty());
    EXPECT_EQ(Processes::SplitParameters(QStringLiteral("\"open")), QStringList{"open"});
}

} // namespace

// "run=" of a configuration value or a page names any host program it likes.
TEST_F(RunProgramTest, AHostProgramOutsideTheDiscAndThePrefixIsNotStarted)
{
    TempDir elsewhere;
    const QString tool = elsewhere.write(QStringLiteral("tool.exe"), "MZ");
    run(QStringLiteral("run=") + VirtualFs::fromHostPath(tool), true);
    run(QStringLiteral("run=z:\\usr\\bin\\env=sh -c id"), true);
    run(QStringLiteral("run=z:\\bin\\sh"), true);
    EXPECT_TRUE(started.isEmpty());
}
