#include "shell/HelpViewer.h"

#include "TempDir.h"
#include "data/ProcessPaths.h"
#include "platform/Processes.h"
#include "platform/VirtualFs.h"
#include "platform/WindowRegistry.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

class RecordingLauncher : public IProcessLauncher {
public:
    explicit RecordingLauncher(QStringList& started) : started_(started) {}
    bool StartDetached(const QString&, const QStringList& arguments, const QString& folder) override
    {
        started_ << arguments.join(QLatin1Char('|')) << folder;
        return true;
    }
    QString FindExecutable(const QString&) const override { return QString(); }

private:
    QStringList& started_;
};

class HelpViewerTest : public testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        disc.write(QStringLiteral("Справка.htm"), "<html><a name=\"Topic13\"></a></html>");
        appDir = disc.virtualPath();
        Paths().CdRoot = QStringLiteral("z:\\");
        SetProcessLauncher(std::make_unique<RecordingLauncher>(started));
    }
    void TearDown() override
    {
        SetProcessLauncher(nullptr);
        if (helpWindow) {
            WindowRegistry::instance().Unregister(helpWindow);
        }
    }

    void openHelpWindow(const QString& caption)
    {
        WindowRegistry::Window window;
        window.caption = [caption] { return caption; };
        window.visible = [] { return true; };
        window.copyData = [this](TWindowHandle from, const RInstanceMessage& message) {
            received << QStringLiteral("%1 from %2: %3")
                            .arg(message.Kind)
                            .arg(from)
                            .arg(message.Texts[0]);
        };
        helpWindow = WindowRegistry::instance().Register(window);
    }

    TempDir disc;
    QString appDir;
    QStringList started;
    QStringList received;
    TWindowHandle helpWindow = 0;
};

TEST_F(HelpViewerTest, AHelpViewerStartsInHelpModeAtTheTopicsAnchor)
{
    HelpViewer::Show(appDir, 5, appDir + QStringLiteral("справка.htm"), QStringLiteral("Topic13"));
    ASSERT_EQ(started.size(), 2);
    EXPECT_EQ(started[0], QStringLiteral("--disc|%1|--disc-root|/|--|%2справка.htm#Topic13|/h")
                              .arg(disc.path(), appDir));
    EXPECT_EQ(started[1], disc.path());
    EXPECT_EQ(HelpViewer::PageOf(QStringLiteral("a.htm"), QString()), QStringLiteral("a.htm"));
}

TEST_F(HelpViewerTest, AMissingHelpFileOpensNothing)
{
    HelpViewer::Show(appDir, 5, appDir + QStringLiteral("нет.htm"), QStringLiteral("Topic12"));
    HelpViewer::Show(appDir, 5, QString(), QStringLiteral("Topic12"));
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(HelpViewerTest, AnOpenHelpWindowGoesToTheTopicInstead)
{
    openHelpWindow(QStringLiteral("ПОМОЩЬ"));
    HelpViewer::Show(appDir, 5, appDir + QStringLiteral("Справка.htm"), QStringLiteral("Topic13"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(started.isEmpty());
    EXPECT_EQ(received, QStringList{QStringLiteral("0 from 5: Справка.htm#Topic13")})
        << "an open-page request, relative to the program folder";

    received.clear();
    HelpViewer::Show(appDir, 5, QStringLiteral("c:\\elsewhere\\help.htm"), QStringLiteral("T"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(received.isEmpty()) << "a page outside the program folder cannot be named";
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(HelpViewerTest, OtherWindowsAreNoHelpWindow)
{
    openHelpWindow(QStringLiteral("Увеличенная картинка"));
    HelpViewer::Show(appDir, 5, appDir + QStringLiteral("справка.htm"), QStringLiteral("Topic12"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(received.isEmpty());
    EXPECT_EQ(started.size(), 2);
}

} // namespace
