#include "platform/Processes.h"

#include "TempDir.h"
#include "platform/VirtualFs.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

struct Recorder : IProcessLauncher {
    QStringList* started;
    explicit Recorder(QStringList* into) : started(into) {}
    bool StartDetached(const QString& program, const QStringList& arguments,
                       const QString&) override
    {
        started->append(program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')));
        return true;
    }
    QString FindExecutable(const QString& name) const override
    {
        return QStringLiteral("/usr/bin/") + name;
    }
};

// Disc data names programs; only those of the disc and the prefix start.
class ProcessesOpen : public ::testing::Test {
protected:
    ProcessesOpen()
    {
        VirtualFs& fs = VirtualFs::instance();
        fs.mount(QStringLiteral("d:\\"), disc.path());
        fs.mount(QStringLiteral("c:\\"), prefix.path());
        fs.mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        SetProcessLauncher(std::make_unique<Recorder>(&started));
    }
    ~ProcessesOpen() override
    {
        SetProcessLauncher(nullptr);
        VirtualFs::instance().unmount(QStringLiteral("d:\\"));
        VirtualFs::instance().unmount(QStringLiteral("c:\\"));
    }

    TempDir disc;
    TempDir prefix;
    TempDir elsewhere;
    QStringList started;
};

} // namespace

TEST_F(ProcessesOpen, ProgramsOfTheDiscAndThePrefixStart)
{
    const QString setup = disc.write(QStringLiteral("setup/Setup.exe"), "MZ");
    const QString game = prefix.write(QStringLiteral("games/race/race.exe"), "MZ");
    EXPECT_TRUE(Processes::Open(QStringLiteral("d:\\setup\\setup.exe"), QStringLiteral("/s")));
    EXPECT_TRUE(Processes::Open(QStringLiteral("c:\\games\\race\\race.exe"), QString()));
    EXPECT_EQ(started,
              QStringList({QStringLiteral("/usr/bin/wine ") + setup + QStringLiteral(" /s"),
                           QStringLiteral("/usr/bin/wine ") + game}));
}

TEST_F(ProcessesOpen, HostProgramsAndFilesElsewhereAreRefused)
{
    const QString tool = elsewhere.write(QStringLiteral("tool.exe"), "MZ");
    const QString document = elsewhere.write(QStringLiteral("notes.pdf"), "%PDF");
    ASSERT_TRUE(QFile::link(elsewhere.path(), disc.file(QStringLiteral("linked"))));
    EXPECT_FALSE(Processes::Open(VirtualFs::fromHostPath(tool), QString()));
    EXPECT_FALSE(Processes::Open(VirtualFs::fromHostPath(document), QString()));
    EXPECT_FALSE(Processes::Open(QStringLiteral("z:\\bin\\sh"), QStringLiteral("-c id")));
    EXPECT_FALSE(Processes::Open(QStringLiteral("d:\\linked\\tool.exe"), QString()))
        << "a link on the disc does not make a host program the disc's";
    EXPECT_TRUE(started.isEmpty()) << started.join(QLatin1Char('|')).toStdString();
}
