#include "shell/ThesaurusWindow.h"

#include "RecordingHost.h"
#include "TempDir.h"
#include "data/ProcessPaths.h"
#include "platform/CommandLine.h"
#include "platform/Processes.h"
#include "platform/VirtualFs.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using shelltest::CallLog;
using shelltest::RecordingComponents;
using shelltest::RecordingHost;

namespace {

class RecordingLauncher : public IProcessLauncher {
public:
    explicit RecordingLauncher(QStringList& started) : started_(started) {}
    bool StartDetached(const QString& program, const QStringList& arguments,
                       const QString& folder) override
    {
        started_ << program << arguments.join(QLatin1Char('|')) << folder;
        return true;
    }
    QString FindExecutable(const QString&) const override { return QString(); }

private:
    QStringList& started_;
};

class ThesaurusWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        disc.write(QStringLiteral("тезаурус/слово.htm"), "<html></html>");
        host.appDir = disc.virtualPath();
        Paths().CdRoot = QStringLiteral("z:\\");
        components.thesaurusPage = QStringLiteral("тезаурус\\слово.htm#a1");
        SetProcessLauncher(std::make_unique<RecordingLauncher>(started));
    }
    void TearDown() override
    {
        SetProcessLauncher(nullptr);
        if (window) {
            WindowRegistry::instance().Unregister(window);
        }
    }

    TempDir disc;
    QStringList started;
    CallLog log;
    RecordingHost host{log};
    RecordingComponents components{log};
    TThesaurusWindow thesaurus{host, components.set};
    TWindowHandle window = 0;
};

TEST_F(ThesaurusWindowTest, ARunningThesaurusComesForwardAndOpensThePage)
{
    QStringList seen;
    WindowRegistry::Window entry;
    entry.caption = [] { return QStringLiteral("ТЕЗАУРУС"); };
    entry.visible = [] { return true; };
    entry.showNormal = [&seen] { seen << QStringLiteral("normal"); };
    entry.bringToFront = [&seen] { seen << QStringLiteral("front"); };
    entry.copyData = [&seen](TWindowHandle from, const RInstanceMessage& message) {
        seen << QStringLiteral("kind %1 count %2 from %3: %4")
                    .arg(message.Kind)
                    .arg(message.Count)
                    .arg(from)
                    .arg(message.Texts[0]);
    };
    window = WindowRegistry::instance().Register(entry);
    host.handle = 77;
    thesaurus.Open(QStringLiteral("  "));
    QCoreApplication::processEvents();
    EXPECT_EQ(log.calls, (QStringList{"Thesaurus.Folder(" + disc.virtualPath() + ")",
                                      "Thesaurus.FindPage()"}));
    EXPECT_EQ(seen, (QStringList{"normal", "front",
                                 "kind 0 count 1 from 77: " + disc.virtualPath() +
                                     "тезаурус\\слово.htm#a1"}));
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(ThesaurusWindowTest, OtherwiseANewInstanceStartsOnAnExistingPage)
{
    thesaurus.Open(QString());
    ASSERT_EQ(started.size(), 3);
    EXPECT_EQ(started[0], QCoreApplication::applicationFilePath());
    EXPECT_EQ(started[1],
              CommandLine::instanceArguments(disc.path(), QStringLiteral("/"),
                                             {disc.virtualPath() + "тезаурус\\слово.htm#a1", "/t"})
                  .join(QLatin1Char('|')));
    started.clear();
    components.thesaurusPage = QStringLiteral("тезаурус\\нет.htm");
    thesaurus.Open(QString());
    components.thesaurusPage.clear();
    thesaurus.Open(QString());
    EXPECT_TRUE(started.isEmpty()) << "a missing page and no page start nothing";
}

} // namespace
