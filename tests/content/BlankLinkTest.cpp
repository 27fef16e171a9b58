#include "LinkFixture.h"
#include "TempDir.h"
#include "content/ViewerInstances.h"
#include "platform/Instances.h"

#include <QElapsedTimer>

// "_blank" links with viewer windows of this process standing in for the
// viewer instances: each answers the question whether it shows a file.

namespace {

class BlankLink : public LinkFixture {
protected:
    enum class Answer { Yes, No, Silent };

    void SetUp() override
    {
        LinkFixture::SetUp();
        WindowRegistry::Window main;
        main.caption = [] { return QStringLiteral("Тест"); };
        main.visible = [] { return true; };
        context.WindowHandle = Register(main);
    }
    void TearDown() override
    {
        for (const TWindowHandle handle : handles) {
            WindowRegistry::instance().Unregister(handle);
        }
        LinkFixture::TearDown();
    }
    TWindowHandle Register(WindowRegistry::Window window)
    {
        handles << WindowRegistry::instance().Register(std::move(window));
        return handles.last();
    }
    // A window captioned as a viewer; the last one added is the topmost.
    void AddViewer(const QString& name, Answer answer, bool visible = true)
    {
        WindowRegistry::Window window;
        window.caption = [] { return QStringLiteral("увеличенная КАРТИНКА"); };
        window.visible = [visible] { return visible; };
        window.showNormal = [this, name] { log << name + QStringLiteral(" normal"); };
        window.bringToFront = [this, name] { log << name + QStringLiteral(" front"); };
        window.copyData = [this, name, answer](TWindowHandle sender, const RInstanceMessage& m) {
            log << QStringLiteral("%1 asked kind %2 [%3]").arg(name).arg(m.Kind).arg(m.Texts[0]);
            if (answer != Answer::Silent) {
                Instances::SendMessage(sender, InstanceMessageId::Reply,
                                       answer == Answer::Yes ? 1 : 0, 0);
            }
        };
        Register(std::move(window));
    }
    QString Started() const
    {
        return QStringLiteral("start <self> [--disc /disc/run --disc-root /disc -- "
                              "d:\\run\\html\\big.jpg#part] in /disc/run");
    }

    QList<TWindowHandle> handles;
};

TEST_F(BlankLink, NoViewerRunningStartsOne)
{
    AddViewer(QStringLiteral("hidden"), Answer::Yes, false);
    EXPECT_TRUE(Click(*viewer, QStringLiteral("BIG.jpg#Part"), QStringLiteral("_blank")));
    EXPECT_EQ(Log(), QStringList({Started()}));
}

TEST_F(BlankLink, ViewerShowingTheFileComesToTheFront)
{
    AddViewer(QStringLiteral("first"), Answer::Yes);
    EXPECT_TRUE(Click(*viewer, QStringLiteral("big.jpg#part"), QStringLiteral("_blank")));
    EXPECT_EQ(Log(),
              QStringList({QStringLiteral("first asked kind 3 [d:\\run\\html\\big.jpg#part]"),
                           QStringLiteral("first normal"), QStringLiteral("first front")}));
}

TEST_F(BlankLink, ViewersShowingOtherFilesLeadToANewOne)
{
    AddViewer(QStringLiteral("lower"), Answer::No);
    AddViewer(QStringLiteral("upper"), Answer::No);
    Click(*viewer, QStringLiteral("big.jpg#part"), QStringLiteral("_blank"));
    EXPECT_EQ(Log(),
              QStringList({QStringLiteral("upper asked kind 3 [d:\\run\\html\\big.jpg#part]"),
                           QStringLiteral("lower asked kind 3 [d:\\run\\html\\big.jpg#part]"),
                           Started()}));
}

// A viewer that gives no answer in ten waits of 50 ms counts as a no.
TEST_F(BlankLink, SilentViewerIsPassedOverAfterItsTime)
{
    AddViewer(QStringLiteral("showing"), Answer::Yes);
    AddViewer(QStringLiteral("silent"), Answer::Silent);
    QElapsedTimer clock;
    clock.start();
    Click(*viewer, QStringLiteral("big.jpg#part"), QStringLiteral("_blank"));
    EXPECT_GE(clock.elapsed(), 450);
    EXPECT_EQ(Log(),
              QStringList({QStringLiteral("silent asked kind 3 [d:\\run\\html\\big.jpg#part]"),
                           QStringLiteral("showing asked kind 3 [d:\\run\\html\\big.jpg#part]"),
                           QStringLiteral("showing normal"), QStringLiteral("showing front")}));
}

TEST_F(BlankLink, FileFoundNowhereAsksNobody)
{
    AddViewer(QStringLiteral("first"), Answer::Yes);
    EXPECT_TRUE(Click(*viewer, QStringLiteral("absent.jpg"), QStringLiteral("_blank")));
    EXPECT_TRUE(log.isEmpty());
    EXPECT_TRUE(viewer->visitedLinks().contains(QStringLiteral("d:\\run\\html\\absent.jpg")));
}

// The instances can be replaced, as the shell's tests of a whole window do.
TEST_F(BlankLink, InstancesOfTheContextAreUsed)
{
    struct OneViewer : IViewerInstances {
        QStringList& log;
        explicit OneViewer(QStringList& into) : log(into) {}
        QList<TWindowHandle> ViewerWindows() override { return {7}; }
        std::optional<bool> AskShowsFile(TWindowHandle, const QString& file) override
        {
            log << QStringLiteral("ask ") + file;
            return std::nullopt;
        }
        void BringToFront(TWindowHandle) override { log << QStringLiteral("front"); }
        bool StartViewer(const QString& file) override
        {
            log << QStringLiteral("start ") + file;
            return true;
        }
    } instances(log);
    context.Instances = &instances;
    Click(*viewer, QStringLiteral("big.jpg"), QStringLiteral("_blank"));
    EXPECT_EQ(log, QStringList({QStringLiteral("ask d:\\run\\html\\big.jpg"),
                                QStringLiteral("start d:\\run\\html\\big.jpg")}));
}

} // namespace

// A disc opened from an image: the viewer is given the image again and
// starts in the folder that holds it (a file is no working folder).
TEST_F(BlankLink, AViewerOfADiscImageGetsTheImageAndItsFolder)
{
    const TempDir folder;
    context.DiscHost = folder.write(QStringLiteral("disc.iso"), "image");
    context.DiscRootHost.clear();
    links = std::make_unique<TLinkCommands>(panels, context);
    EXPECT_TRUE(Click(*viewer, QStringLiteral("BIG.jpg#Part"), QStringLiteral("_blank")));
    EXPECT_EQ(Log(), QStringList(QStringLiteral("start <self> [--disc %1 -- "
                                                "d:\\run\\html\\big.jpg#part] in %2")
                                     .arg(context.DiscHost, folder.path())));
}
