// What every screen switch does to the elements that belong to one screen:
// the background panel behind the content screen's page, and the history
// lists of the popups rebuilt for the new screen.

#include "FakeStandardPage.h"
#include "QuietMasks.h"
#include "RecordingComponents.h"
#include "ShellTestDisc.h"
#include "shell/MainForm.h"
#include "shell/PanelBkgrd.h"
#include "shell/WindowAnimation.h"

#include <gtest/gtest.h>

using shelltest::CallLog;

namespace {

const QString threeScreens = QStringLiteral("2_screen=bg.bmp\n3_screen=bg.bmp\n"
                                            "_html 2\nvx=33\nvy=90\nvw=706\nvh=511\nfn=a.htm\n"
                                            "number=1\n");

class ScreenElementsTest : public testing::Test {
protected:
    void SetUp() override
    {
        page.titles = {QStringLiteral("Третья"), QStringLiteral("Вторая"),
                       QStringLiteral("Первая")};
        page.index = 1;
        page.Attach(form);
        form.FormCreate();
        for (int tick = 0; form.Animation().Running() && tick < 2000; ++tick) {
            form.Animation().Tick();
        }
        form.Components().Popups = &popups;
        log.calls.clear();
    }
    void TearDown() override { form.Components().Popups = nullptr; }

    void run(const char* command)
    {
        QString text = QString::fromLatin1(command);
        QString sound;
        form.ExecuteCommand(text, sound, 0, 0, 1);
    }

    shelltest::ShellTestDisc disc{QStringLiteral("тестовый диск"), QString(), threeScreens};
    CallLog log;
    shelltest::FakePageComponents page{log};
    shelltest::FakePopups popups{log};
    TMainForm form{disc.context()};
};

TEST_F(ScreenElementsTest, TheBackgroundPanelShowsBehindTheContentScreenOnly)
{
    ASSERT_NE(form.PanelBkgrd(), nullptr);
    EXPECT_TRUE(form.PanelBkgrd()->isHidden());
    run("2");
    EXPECT_TRUE(form.PanelBkgrd()->isVisible());
    run("3");
    EXPECT_TRUE(form.PanelBkgrd()->isHidden()) << "the third screen has its own face";
    run("2");
    EXPECT_TRUE(form.PanelBkgrd()->isVisible());
    run("1");
    EXPECT_TRUE(form.PanelBkgrd()->isHidden());
}

TEST_F(ScreenElementsTest, TheHistoryListsAreFilledAgainWhenThePopupsAreRebuilt)
{
    run("2");
    const int rebuilt = int(log.calls.indexOf(QStringLiteral("Popups.Rebuild")));
    ASSERT_GE(rebuilt, 0);
    const QStringList after = log.calls.mid(rebuilt + 1);
    EXPECT_TRUE(after.contains(QStringLiteral("Popups.Set(Третья, history=0, -2, 7)")))
        << after.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(after.contains(QStringLiteral("Popups.Set(Первая, history=2, -1, 0)")))
        << after.join(QLatin1Char('\n')).toStdString();
}

} // namespace
