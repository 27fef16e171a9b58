#include "shell/InstanceMessages.h"

#include "RecordingHost.h"
#include "TempDir.h"
#include "platform/Instances.h"
#include "platform/VirtualFs.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

using shelltest::CallLog;
using shelltest::RecordingComponents;
using shelltest::RecordingHost;

namespace {

RInstanceMessage record(quint16 kind, QList<qint32> selectors, QStringList texts)
{
    RInstanceMessage message;
    message.Kind = kind;
    message.Count = quint16(texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        message.Selectors[size_t(i)] = selectors.value(i);
        message.Texts[size_t(i)] = texts[i];
    }
    return message;
}

class InstanceMessagesTest : public testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        host.description.Html << RHTML();
        own = add(QStringLiteral("Демонстрационный диск"),
                  [this](quint32 m, quint64 w, qint64 l) { messages.Message(m, w, l); });
        sender = add(QStringLiteral("Другая программа"), [this](quint32 m, quint64 w, qint64 l) {
            received << QStringLiteral("%1 %2 %3").arg(m).arg(w).arg(l);
        });
        host.handle = own;
    }
    void TearDown() override
    {
        WindowRegistry::instance().Unregister(own);
        WindowRegistry::instance().Unregister(sender);
    }

    TWindowHandle add(const QString& caption, WindowRegistry::MessageHandler handler)
    {
        WindowRegistry::Window window;
        window.caption = [caption] { return caption; };
        window.visible = [] { return true; };
        window.message = std::move(handler);
        return WindowRegistry::instance().Register(window);
    }

    QStringList deliver(const RInstanceMessage& message)
    {
        log.calls.clear();
        received.clear();
        messages.CopyData(sender, message);
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
        return log.calls;
    }

    QString pageShown() const
    {
        return QStringLiteral("%1 %2 0").arg(InstanceMessageId::PageShown).arg(own);
    }

    CallLog log;
    RecordingHost host{log};
    RecordingComponents components{log};
    TInstanceMessages messages{host, components.set};
    TWindowHandle own = 0;
    TWindowHandle sender = 0;
    QStringList received;
};

TEST_F(InstanceMessagesTest, APageRequestOnTheStartScreenSwitchesThroughTheTree)
{
    host.screen = 0;
    EXPECT_EQ(deliver(RInstanceMessage::single(0, QStringLiteral("Глава1.htm"))),
              (QStringList{"Execute(screen2=d:\\run\\Глава1.htm, screen2=d:\\run\\Глава1.htm, 0, "
                           "0, 1)",
                           "Tree.SelectNode()"}));
    EXPECT_EQ(messages.RequestText(), QStringLiteral("screen2=d:\\run\\Глава1.htm"));
    EXPECT_EQ(received, QStringList{pageShown()});
}

TEST_F(InstanceMessagesTest, OnOtherScreensTheViewerLoadsThePageUnlessItShowsIt)
{
    components.panels.document = QStringLiteral("d:\\run\\ГЛАВА1.HTM");
    EXPECT_EQ(deliver(RInstanceMessage::single(0, QStringLiteral("глава1.htm"))),
              QStringList{"Tree.SelectNode()"});
    EXPECT_EQ(received, QStringList{pageShown()});
    EXPECT_EQ(deliver(RInstanceMessage::single(0, QStringLiteral("Глава2.htm"))),
              (QStringList{"Panels.Load(d:\\run\\Глава2.htm)", "Tree.SelectNode()"}));
    EXPECT_EQ(received, QStringList{pageShown()});
    EXPECT_TRUE(messages.RequestText().isEmpty());

    host.thesaurusMode = true;
    EXPECT_EQ(deliver(RInstanceMessage::single(0, QStringLiteral("d:\\run\\t.htm#слово"))),
              QStringList{"Panels.Load(d:\\run\\t.htm#слово)"});
    EXPECT_TRUE(received.isEmpty()) << "the thesaurus answers nothing";
}

TEST_F(InstanceMessagesTest, TheFileViewerLoadsARequestedPageInItsOneViewer)
{
    host.screen = 0;
    host.viewerMode = true;
    host.description.Html.clear();
    components.set.Tree = nullptr;
    components.panels.document = QStringLiteral("d:\\run\\Справка.htm");
    EXPECT_EQ(deliver(RInstanceMessage::single(0, QStringLiteral("Справка.htm#Topic13"))),
              QStringList{"Panels.Load(d:\\run\\Справка.htm#Topic13)"})
        << "no screen to switch to: the viewer goes to the page";
    EXPECT_EQ(received, QStringList{pageShown()});
    EXPECT_TRUE(messages.RequestText().isEmpty());
    EXPECT_TRUE(deliver(RInstanceMessage::single(0, QStringLiteral("справка.htm"))).isEmpty())
        << "the page shown stays";
}

TEST_F(InstanceMessagesTest, WithoutAPagePanelNothingIsHandled)
{
    host.description.Html.clear();
    components.set.PagePanels = nullptr;
    host.screen = 0;
    EXPECT_TRUE(deliver(RInstanceMessage::single(0, QStringLiteral("a.htm"))).isEmpty());
    EXPECT_TRUE(deliver(RInstanceMessage::single(3, QString())).isEmpty());
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(InstanceMessagesTest, APrintRequestPrintsTheFileOnceAndDeletesIt)
{
    TempDir folder;
    VirtualFs::instance().mount(QStringLiteral("c:\\windows\\temp\\"), folder.path());
    const QString file = folder.write(QStringLiteral("печать.bmp"), "BM");
    const QString name = QStringLiteral("c:\\windows\\temp\\печать.bmp");
    EXPECT_EQ(deliver(record(1, {1, 0, 2}, {QStringLiteral(" 640"), name, QStringLiteral("480")})),
              (QStringList{"Panels.PicturePrint(true)", "Panels.PictureWidth(640)",
                           "Panels.PictureHeight(480)", "Panels.PrintPage(" + name + ")"}));
    EXPECT_EQ(messages.RequestText(), name);
    EXPECT_FALSE(QFile::exists(file)) << "the file goes once printed";
    VirtualFs::instance().unmount(QStringLiteral("c:\\windows\\temp\\"));
}

// A peer names the file: one outside our temporary folder is printed but kept.
TEST_F(InstanceMessagesTest, APrintRequestNeverRemovesAFileOutsideTheTemporaryFolder)
{
    TempDir folder;
    const QString file = folder.write(QStringLiteral("letter.bmp"), "BM");
    const QString name = VirtualFs::fromHostPath(file);
    deliver(record(1, {1, 0, 2}, {QStringLiteral(" 640"), name, QStringLiteral("480")}));
    EXPECT_EQ(messages.RequestText(), name);
    EXPECT_TRUE(QFile::exists(file));
    const QString escaping =
        QStringLiteral("c:\\windows\\temp\\..\\..\\") + VirtualFs::fromHostPath(file).mid(3);
    deliver(record(1, {1, 0, 2}, {QStringLiteral(" 640"), escaping, QStringLiteral("480")}));
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(InstanceMessagesTest, APrintRequestWithABadSizeIsDroppedBeforeAnythingChanges)
{
    host.screen = 0;
    deliver(RInstanceMessage::single(0, QStringLiteral("a.htm")));
    const QString before = messages.RequestText();
    for (const char* size : {"64O", "", "12.5", "0x40", "99999999999"}) {
        EXPECT_TRUE(
            deliver(record(1, {0, 1, 2}, {"z:\\tmp\\x.bmp", QString::fromLatin1(size), "480"}))
                .isEmpty())
            << size;
        EXPECT_TRUE(
            deliver(record(1, {0, 2}, {"z:\\tmp\\x.bmp", QString::fromLatin1(size)})).isEmpty())
            << size;
    }
    EXPECT_EQ(messages.RequestText(), before);
    EXPECT_EQ(deliver(record(1, {7, 0}, {"junk", "z:\\tmp\\none.bmp"})),
              (QStringList{"Panels.PicturePrint(true)", "Panels.PrintPage(z:\\tmp\\none.bmp)"}))
        << "a slot of an unknown meaning is passed over";
}

TEST_F(InstanceMessagesTest, AQueryIsAnsweredYesOnlyForTheFileTheViewerWasStartedWith)
{
    const QString yes = QStringLiteral("%1 1 0").arg(InstanceMessageId::Reply);
    const QString no = QStringLiteral("%1 0 0").arg(InstanceMessageId::Reply);
    host.viewerMode = true;
    host.viewerFile = QStringLiteral(" z:\\tmp\\Картинка.bmp ");
    deliver(RInstanceMessage::single(3, QStringLiteral("z:\\tmp\\Картинка.bmp")));
    EXPECT_EQ(received, QStringList{yes});
    deliver(RInstanceMessage::single(3, QStringLiteral("z:\\tmp\\картинка.bmp")));
    EXPECT_EQ(received, QStringList{no}) << "the comparison is exact";
    deliver(record(3, {1}, {QStringLiteral("z:\\tmp\\Картинка.bmp")}));
    EXPECT_EQ(received, QStringList{no}) << "a selector forces no";
    host.viewerMode = false;
    host.viewerFile.clear();
    deliver(RInstanceMessage::single(3, QString()));
    EXPECT_EQ(received, QStringList{no}) << "the shell shows no file it was started with";
    EXPECT_TRUE(deliver(record(2, {0}, {QStringLiteral("a.htm")})).isEmpty());
    EXPECT_TRUE(received.isEmpty()) << "other kinds are ignored";
}

TEST_F(InstanceMessagesTest, TheAnswerToOurOwnQueryIsKept)
{
    messages.Message(InstanceMessageId::Reply, 1, 0);
    EXPECT_TRUE(messages.ReplyReceived());
    EXPECT_TRUE(messages.ReplyYes());
    messages.ClearReply();
    EXPECT_FALSE(messages.ReplyReceived());
    messages.Message(InstanceMessageId::Reply, 2, 0);
    EXPECT_TRUE(messages.ReplyReceived());
    EXPECT_FALSE(messages.ReplyYes());
    messages.Message(4711, 1, 0);
    EXPECT_TRUE(log.calls.isEmpty());
}

} // namespace
