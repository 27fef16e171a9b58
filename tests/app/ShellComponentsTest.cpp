// The skinned window with the components the program makes for it: each one
// the disc declares exists and sits where the window needs it, the calls of
// the page panels reach the window, and shutdown takes every one back.

#include "app/ShellComponents.h"

#include "DemoDisc.h"
#include "ShellTestDisc.h"
#include "app/AppPagePanels.h"
#include "shell/MainForm.h"
#include "shell/PanelBkgrd.h"
#include "shell/ShellGlobals.h"
#include "shell/StandardWindow.h"
#include "shell/WindowAnimation.h"

#include <QLabel>
#include <QMovie>
#include <QStatusBar>
#include <gtest/gtest.h>

using shelltest::ShellTestDisc;

namespace {

void finishAnimation(TMainForm& form)
{
    for (int tick = 0; form.Animation().Running() && tick < 2000; ++tick) {
        form.Animation().Tick();
    }
}

void run(TMainForm& form, const char* command)
{
    QString text = QString::fromLatin1(command);
    QString sound;
    form.ExecuteCommand(text, sound, 0, 0, 1);
}

// The window on the demo disc of the build tree, which declares every kind of
// component.
class ShellComponentsTest : public testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TMainForm>(demo.context());
        components = std::make_unique<TShellComponents>(*form, QString(), QString());
    }
    void TearDown() override
    {
        components.reset();
        form.reset();
    }

    void start()
    {
        form->SetComponents(components.get());
        form->FormCreate();
        ASSERT_FALSE(form->TerminationRequested());
        finishAnimation(*form);
    }

    shelltest::DemoDisc demo;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TShellComponents> components;
};

TEST_F(ShellComponentsTest, EveryDeclaredComponentExistsAndShutdownTakesEachBack)
{
    start();
    const TComponentSet& set = form->Components();
    ASSERT_NE(components->PagePanels(), nullptr);
    EXPECT_EQ(set.PagePanels, &components->PagePanels()->Panels());
    EXPECT_EQ(components->StandardPage(), components->PagePanels());
    EXPECT_NE(set.Tree, nullptr) << "the content screen's background panel holds the tree";
    EXPECT_NE(set.FindPanel, nullptr);
    EXPECT_NE(set.PathInputs, nullptr);
    EXPECT_NE(set.Games, nullptr);
    EXPECT_NE(set.ClipPlayer, nullptr) << "sounds of links play without clip areas";
    EXPECT_NE(set.Popups, nullptr);
    EXPECT_NE(set.StatusLine, nullptr);
    EXPECT_NE(set.ScaleBar, nullptr);
    EXPECT_NE(set.Options, nullptr);
    EXPECT_NE(set.FontInstaller, nullptr);
    EXPECT_NE(set.Music, nullptr);
    EXPECT_NE(set.SlideShow, nullptr);
    EXPECT_EQ(set.Favorites, nullptr) << "the favorites list is not on the start screen";

    run(*form, "2");
    EXPECT_NE(set.Favorites, nullptr) << "the favorites come with their list";
    run(*form, "1");
    EXPECT_EQ(set.Favorites, nullptr) << "and go with it";

    form->FormDestroy();
    for (const void* component :
         {static_cast<const void*>(set.PagePanels), static_cast<const void*>(set.Tree),
          static_cast<const void*>(set.FindPanel), static_cast<const void*>(set.PathInputs),
          static_cast<const void*>(set.Games), static_cast<const void*>(set.ClipPlayer),
          static_cast<const void*>(set.Popups), static_cast<const void*>(set.StatusLine),
          static_cast<const void*>(set.ScaleBar), static_cast<const void*>(set.Options),
          static_cast<const void*>(set.Music), static_cast<const void*>(set.FontInstaller)}) {
        EXPECT_EQ(component, nullptr);
    }
    EXPECT_EQ(components->StandardPage(), nullptr);
}

TEST_F(ShellComponentsTest, ThePagePanelsCallIntoTheWindow)
{
    start();
    ASSERT_NE(components->PagePanels(), nullptr);
    const TContentContext& panels = components->PagePanels()->Context();
    EXPECT_EQ(panels.Screen(), 0);
    run(*form, "2");
    EXPECT_EQ(panels.Screen(), 1);
    run(*form, "1");

    // The link status goes to the status bar of the standard window only.
    EXPECT_FALSE(panels.Hooks.StandardWindowShown());
    panels.Hooks.SetStatusBarText(QStringLiteral("нигде"));
    run(*form, "standartwin");
    EXPECT_TRUE(panels.Hooks.StandardWindowShown());
    panels.Hooks.SetStatusBarText(QStringLiteral("Url: a.htm"));
    EXPECT_EQ(form->StandardWindow()->StatusBar()->currentMessage(), QStringLiteral("Url: a.htm"));
}

// The widest visible widget on the background panel besides the tree: the
// page panel with its viewer.
QWidget* pageWidget(QWidget* panel, const QWidget* tree)
{
    QWidget* widest = nullptr;
    for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != tree && child->isVisibleTo(panel) &&
            (!widest || child->width() > widest->width())) {
            widest = child;
        }
    }
    return widest;
}

TEST_F(ShellComponentsTest, FoldingTheTreeAwayGivesThePageItsRoomAndUnfoldingGivesItBack)
{
    start();
    run(*form, "2");
    QWidget* panel = form->PanelBkgrd();
    auto* tree = dynamic_cast<QWidget*>(form->Components().Tree);
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(tree, nullptr);
    form->show();
    finishAnimation(*form);
    run(*form, "tree2");
    ASSERT_TRUE(tree->isVisibleTo(panel)) << "the demo disc shows its tree on the content screen";
    QWidget* page = pageWidget(panel, tree);
    ASSERT_NE(page, nullptr);
    const QRect beside = page->geometry();
    EXPECT_GT(beside.left(), tree->geometry().right()) << "the page lies right of the tree";

    run(*form, "offtree");
    EXPECT_FALSE(tree->isVisibleTo(panel));
    page = pageWidget(panel, tree);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->geometry().left(), tree->geometry().left()) << "the page takes the tree's room";
    EXPECT_EQ(page->geometry().right(), beside.right());
    EXPECT_EQ(page->geometry().top(), beside.top());
    EXPECT_EQ(page->geometry().height(), beside.height());

    run(*form, "ontree");
    EXPECT_TRUE(tree->isVisibleTo(panel));
    EXPECT_EQ(pageWidget(panel, tree)->geometry(), beside) << "and gives it back";
}

TEST_F(ShellComponentsTest, ComponentsThatGoFirstLeaveTheWindowWithoutThem)
{
    start();
    ASSERT_NE(form->Components().PagePanels, nullptr);
    components.reset();
    EXPECT_EQ(form->Components().PagePanels, nullptr);
    EXPECT_EQ(form->Components().CreateAboutBox, nullptr);
    run(*form, "2");
    form->FormDestroy();
}

// A tiny looping GIF of two one-pixel frames.
QByteArray pistonGif()
{
    static const unsigned char bytes[] = {
        'G', 'I',  'F',  '8',  '9',  'a',  1,    0,    1,    0,    0x80, 0,   0,   0xFF, 0,
        0,   0,    0,    0xFF, 0x21, 0xFF, 0x0B, 'N',  'E',  'T',  'S',  'C', 'A', 'P',  'E',
        '2', '.',  '0',  3,    1,    0,    0,    0,    0x21, 0xF9, 4,    0,   10,  0,    0,
        0,   0x2C, 0,    0,    0,    0,    1,    0,    1,    0,    0,    2,   2,   0x44, 0x01,
        0,   0x21, 0xF9, 4,    0,    10,   0,    0,    0,    0x2C, 0,    0,   0,   0,    1,
        0,   1,    0,    0,    2,    2,    0x4C, 0x01, 0,    0x3B};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

TEST(GifAnimationTest, TheAnimationRunsOffTheContentScreenOnly)
{
    shelltest::ShellTestDisc disc(QStringLiteral("тестовый диск"), QString(),
                                  QStringLiteral("2_screen=bg.bmp\n3_screen=bg.bmp\n"),
                                  {{QStringLiteral("piston.gif"), pistonGif()}});
    TMainForm form(disc.context());
    TShellComponents components(form, QString(), QString());
    form.SetComponents(&components);
    form.FormCreate();
    finishAnimation(form);
    QLabel* gif = components.GifAnimator();
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->pos(), QPoint(583, 470));
    auto running = [gif] { return gif->isVisible() && gif->movie()->state() == QMovie::Running; };
    EXPECT_TRUE(running());
    for (const char* command : {"2", "3", "2", "1"}) {
        QString text = QString::fromLatin1(command);
        QString sound;
        form.ExecuteCommand(text, sound, 0, 0, 1);
        EXPECT_EQ(running(), text != QLatin1String("2")) << "after " << command;
        EXPECT_EQ(gif->movie()->state() == QMovie::NotRunning, text == QLatin1String("2"));
    }
}

} // namespace
