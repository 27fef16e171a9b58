// The file viewer from its command line to its window: the mode, the file,
// the caption, the toolbar, the size and place of the window, its one page
// panel, its answers to other instances and its icon.

#include "shell/ViewerMode.h"

#include "FakeStandardPage.h"
#include "QuietMasks.h"
#include "ShellTestDisc.h"
#include "data/ReadBin.h"
#include "shell/MainForm.h"
#include "shell/ShellGlobals.h"
#include "shell/StandardWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <gtest/gtest.h>

using shelltest::CallLog;
using shelltest::FakePageComponents;
using shelltest::ShellTestDisc;

namespace {

class ViewerModeTest : public testing::Test {
protected:
    void SetUp() override
    {
        // The offscreen platform's screen.
        ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry().size(), QSize(800, 800));
    }
    void TearDown() override { QApplication::setWindowIcon(QIcon()); }

    // The program started with arguments, as the raw command line shows them.
    std::unique_ptr<TMainForm> start(const QString& arguments, bool quotedProgram = true)
    {
        TStartupContext context = disc.context();
        context.RawCommandLine =
            (quotedProgram ? QLatin1Char('"') + context.ProgramFile + QLatin1Char('"')
                           : context.ProgramFile) +
            QLatin1Char(' ') + arguments;
        context.ArgumentCount = 1;
        auto form = std::make_unique<TMainForm>(context);
        factory.Attach(*form);
        form->FormCreate();
        return form;
    }

    static bool shown(const TMainForm& form, TStandardWindow::TButton button)
    {
        return form.StandardWindow()->ButtonShown(button);
    }

    ShellTestDisc disc{QStringLiteral("тестовый диск"), QString(),
                       QStringLiteral("icon=x_up.bmp\n")};
    CallLog log;
    FakePageComponents factory{log};
};

TEST_F(ViewerModeTest, APictureOpensInAWindowOfItsSizeThatOtherInstancesFindByCaption)
{
    factory.pictureSize = QSize(300, 200);
    const auto form = start(QStringLiteral("d:\\run\\pics\\car.jpg"));
    ASSERT_FALSE(form->TerminationRequested());
    EXPECT_TRUE(form->ViewerMode());
    EXPECT_FALSE(form->HelpMode());
    EXPECT_EQ(form->CurrentFile(), QStringLiteral("d:\\run\\pics\\car.jpg"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Увеличенная картинка"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->windowFlags() & Qt::FramelessWindowHint) << "a sizeable, decorated window";
    EXPECT_EQ(form->size(), QSize(345, 290));
    EXPECT_EQ(form->pos(), QPoint(40, 30));

    ASSERT_EQ(factory.panels.size(), 1);
    const TDynamicHTMLArray& panels = factory.panels[0];
    ASSERT_EQ(panels.size(), 1);
    const RHTML& record = panels[0];
    EXPECT_EQ(record.File, QStringLiteral("d:\\run\\pics\\car.jpg"));
    EXPECT_EQ(QRect(QPoint(record.Left, record.Top), QPoint(record.Right, record.Bottom)),
              QRect(QPoint(0, 0), QPoint(0, 0)));
    EXPECT_EQ(record.Screen, 0);
    EXPECT_EQ(form->Components().PagePanels, &factory.made->panels);
    EXPECT_TRUE(log.calls.contains(QStringLiteral("Page.SetStandardLayout")));

    QToolBar* toolBar = form->StandardWindow()->ToolBar();
    EXPECT_TRUE(toolBar->isVisible());
    EXPECT_EQ(toolBar->geometry(), QRect(0, 0, 345, toolBar->sizeHint().height()));
    EXPECT_TRUE(shown(*form, TStandardWindow::PrintButton));
    EXPECT_FALSE(shown(*form, TStandardWindow::LeaveButton)) << "nothing to go back to";
    EXPECT_FALSE(shown(*form, TStandardWindow::BackButton));
    EXPECT_FALSE(shown(*form, TStandardWindow::ForwardButton));
    EXPECT_FALSE(shown(*form, TStandardWindow::Divider));
    EXPECT_FALSE(form->StandardWindow()->StatusBar()->isVisible());
    EXPECT_EQ(qAlpha(form->grab().toImage().pixel(1, 289)), 255) << "an opaque, square window";
}

TEST_F(ViewerModeTest, HelpModeShowsThePageUnderTheCaptionHelp)
{
    const auto form = start(QStringLiteral("d:\\x\\page.htm /h"), false);
    EXPECT_TRUE(form->ViewerMode());
    EXPECT_TRUE(form->HelpMode());
    EXPECT_EQ(form->CurrentFile(), QStringLiteral("d:\\x\\page.htm"));
    EXPECT_EQ(factory.panels.value(0).value(0).File, QStringLiteral("d:\\x\\page.htm"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Помощь"));
    EXPECT_EQ(Shell().DiskTitle, QStringLiteral("Помощь"));
    EXPECT_TRUE(QApplication::windowIcon().isNull()) << "the program's own icon, not the disc's";
    EXPECT_EQ(form->size(), QSize(800, 600)) << "a page keeps the window's size";
    EXPECT_EQ(form->pos(), QPoint(0, 30)) << "too wide for the place at 40";
}

TEST_F(ViewerModeTest, QuotedNamesWithBlanksAndSchemePictures)
{
    factory.pictureSize = QSize(100, 100);
    const auto form = start(QStringLiteral("\"d:\\my disc\\Scheme.BMP\""));
    EXPECT_EQ(form->CurrentFile(), QStringLiteral("d:\\my disc\\Scheme.BMP"));
    EXPECT_EQ(form->size(), QSize(780, 550)) << "whatever the picture's size";
    EXPECT_EQ(form->pos(), QPoint(0, 30));
    EXPECT_FALSE(QApplication::windowIcon().isNull()) << "the disc's icon from Struct.cfs";
}

TEST_F(ViewerModeTest, TheViewerAnswersWhetherItShowsItsFileAndClosesAtOnce)
{
    const auto form = start(QStringLiteral("d:\\run\\pics\\car.jpg"));
    QStringList replies;
    WindowRegistry::Window asking;
    asking.caption = [] { return QStringLiteral("Демонстрационный диск"); };
    asking.visible = [] { return true; };
    asking.message = [&replies](quint32 message, quint64 wParam, qint64) {
        replies << QStringLiteral("%1 %2").arg(message).arg(wParam);
    };
    const TWindowHandle sender = WindowRegistry::instance().Register(asking);
    for (const char* file : {"d:\\run\\pics\\car.jpg", "d:\\run\\pics\\CAR.jpg", ""}) {
        form->Messages().CopyData(sender, RInstanceMessage::single(RInstanceMessage::KindAskShown,
                                                                   QString::fromUtf8(file)));
    }
    RInstanceMessage forced = RInstanceMessage::single(RInstanceMessage::KindAskShown,
                                                       QStringLiteral("d:\\run\\pics\\car.jpg"));
    forced.Selectors[0] = 1;
    form->Messages().CopyData(sender, forced);
    QCoreApplication::processEvents();
    WindowRegistry::instance().Unregister(sender);
    const QString reply = QString::number(InstanceMessageId::Reply);
    EXPECT_EQ(replies, (QStringList{reply + " 1", reply + " 0", reply + " 0", reply + " 0"}));

    form->LeaveStandardWindow();
    EXPECT_TRUE(form->StandardWindowShown()) << "the viewer has no skinned window";
    EXPECT_TRUE(form->close()) << "the viewer closes without an animation";
    EXPECT_FALSE(form->isVisible());
}

TEST_F(ViewerModeTest, WithoutPagePanelsTheWindowStillOpens)
{
    const auto form = [this] {
        TStartupContext context = disc.context();
        context.RawCommandLine += QStringLiteral(" d:\\run\\a.jpg");
        context.ArgumentCount = 1;
        auto made = std::make_unique<TMainForm>(context);
        made->FormCreate();
        return made;
    }();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Components().PagePanels, nullptr);
    EXPECT_EQ(form->size(), QSize(800, 600));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Увеличенная картинка"));
}

TEST(ViewerModeIconTest, OnlyTheFirstLineNamingAnIconCounts)
{
    using ViewerMode::IconEntry;
    EXPECT_EQ(IconEntry({QStringLiteral("title=Диск"), QStringLiteral("Icon=Disc.ico"),
                         QStringLiteral("icon=other.ico")}),
              QStringLiteral("Disc.ico"));
    EXPECT_EQ(IconEntry({QStringLiteral("  icon=pic.ico ; comment")}), QStringLiteral("pic.ico"));
    EXPECT_EQ(IconEntry({QStringLiteral("; the icons come later"), QStringLiteral("icon=a.ico")}),
              QStringLiteral("come later"))
        << "a comment that mentions the word is that first line";
    EXPECT_TRUE(IconEntry({QStringLiteral("title=x")}).isEmpty());
    EXPECT_TRUE(IconEntry({QStringLiteral("icon")}).isEmpty());
}

TEST(ViewerModeIconTest, TheIconIsReadFromTheContainerOrNotAtAll)
{
    ShellTestDisc withIcon(QStringLiteral("диск"), QString(), QStringLiteral("icon=x_up.bmp\n"));
    ShellTestDisc lostIcon(QStringLiteral("диск"), QString(), QStringLiteral("icon=none.ico\n"));
    for (const auto& [disc, expected] :
         {std::pair<const ShellTestDisc*, bool>{&withIcon, true}, {&lostIcon, false}}) {
        TReadBin bin;
        ASSERT_TRUE(bin.Open(disc->context().AppDir + QStringLiteral("Mev.dhl")));
        EXPECT_EQ(!ViewerMode::DiscIcon(bin).isNull(), expected);
    }
    TReadBin closed;
    EXPECT_TRUE(ViewerMode::DiscIcon(closed).isNull());
}

} // namespace
