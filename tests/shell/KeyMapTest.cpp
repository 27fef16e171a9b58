#include "shell/KeyMap.h"

#include "RecordingHost.h"
#include "data/ProcessPaths.h"
#include "shell/HelpTopics.h"
#include "shell/ThesaurusWindow.h"

#include <gtest/gtest.h>

using shelltest::CallLog;
using shelltest::RecordingComponents;
using shelltest::RecordingHost;

namespace {

constexpr auto None = Qt::NoModifier;
constexpr auto Shift = Qt::ShiftModifier;
constexpr auto Ctrl = Qt::ControlModifier;
constexpr auto Alt = Qt::AltModifier;

class KeyMapTest : public testing::Test {
protected:
    void SetUp() override
    {
        Paths().AppDir = QStringLiteral("d:\\run\\");
        host.addSwitch(1, QStringLiteral("TREE1"), QStringLiteral("tree2"), true, QPoint(30, 40));
        host.addSwitch(1, QStringLiteral("caseoff"), QStringLiteral("caseon"), false,
                       QPoint(60, 40));
        host.addSwitch(1, QStringLiteral("ontree"), QStringLiteral("offtree"), false,
                       QPoint(90, 40));
        host.addSwitch(1, QStringLiteral("x"), QStringLiteral("Tree1"), false, QPoint(120, 40));
    }

    QStringList key(int code, Qt::KeyboardModifiers shift,
                    TKeySender sender = TKeySender::MainWindow)
    {
        log.calls.clear();
        consumed = keyMap.FormKeyDown(sender, code, shift);
        return log.calls;
    }

    CallLog log;
    RecordingHost host{log};
    RecordingComponents components{log};
    THelpTopics help{host, components.set};
    TThesaurusWindow thesaurus{host, components.set};
    TKeyMap keyMap{host, components.set, help, thesaurus};
    bool consumed = false;
};

TEST_F(KeyMapTest, ContentKeysNeedTheirExactModifiers)
{
    EXPECT_EQ(key(Qt::Key_Up, Shift), (QStringList{"Execute(prevchapter, , 0, 0, 1)"}));
    EXPECT_TRUE(consumed);
    EXPECT_EQ(key(Qt::Key_Down, Shift), (QStringList{"Execute(nextchapter, , 0, 0, 1)"}));
    EXPECT_TRUE(consumed);
    EXPECT_EQ(key(Qt::Key_Home, Shift), (QStringList{"Execute(1, , 0, 0, 1)"}));
    EXPECT_FALSE(consumed);
    EXPECT_EQ(key(Qt::Key_I, Ctrl), QStringList{"Favorites.Add"});
    EXPECT_EQ(key(Qt::Key_P, Ctrl), QStringList{"Panels.PrintPage()"});
    EXPECT_EQ(key(Qt::Key_F, Ctrl), QStringList{"Dialog.ShowPage(1, )"});
    EXPECT_EQ(key(Qt::Key_A, Ctrl), QStringList{"Panels.SelectAll"});
    EXPECT_EQ(key(Qt::Key_T, Shift),
              (QStringList{"Thesaurus.Folder(d:\\run\\)", "Thesaurus.FindPage()"}));

    for (const Qt::KeyboardModifiers other :
         {Qt::KeyboardModifiers(None), Qt::KeyboardModifiers(Ctrl), Shift | Ctrl, Shift | Alt,
          Qt::KeyboardModifiers(Alt)}) {
        for (const int code :
             {int(Qt::Key_Up), int(Qt::Key_Down), int(Qt::Key_Home), int(Qt::Key_T)}) {
            EXPECT_TRUE(key(code, other).isEmpty()) << code << " with " << other.toInt();
            EXPECT_FALSE(consumed);
        }
    }
    for (const Qt::KeyboardModifiers other :
         {Qt::KeyboardModifiers(None), Qt::KeyboardModifiers(Shift), Ctrl | Shift, Ctrl | Alt}) {
        for (const int code : {int(Qt::Key_I), int(Qt::Key_P), int(Qt::Key_F), int(Qt::Key_A)}) {
            EXPECT_TRUE(key(code, other).isEmpty()) << code << " with " << other.toInt();
        }
    }
    EXPECT_EQ(key(Qt::Key_Up, Shift | Qt::KeypadModifier),
              (QStringList{"Execute(prevchapter, , 0, 0, 1)"}))
        << "the keypad flag is no modifier";
}

TEST_F(KeyMapTest, ShiftZPressesTheTreeSwitchesAndCtrlShiftZTheFoldingOnes)
{
    EXPECT_EQ(key(Qt::Key_Z, Shift), (QStringList{"PressAt(31;41)", "PressAt(121;41)"}));
    EXPECT_EQ(key(Qt::Key_Z, Ctrl | Shift), QStringList{"PressAt(91;41)"});
    EXPECT_TRUE(key(Qt::Key_Z, None).isEmpty());
    EXPECT_TRUE(key(Qt::Key_Z, Ctrl).isEmpty());
}

TEST_F(KeyMapTest, ContentKeysNeedAPanelAndTheContentScreen)
{
    host.screen = 0;
    EXPECT_TRUE(key(Qt::Key_A, Ctrl).isEmpty());
    EXPECT_TRUE(key(Qt::Key_Up, Shift).isEmpty());
    EXPECT_FALSE(consumed);
    host.screen = 2;
    EXPECT_TRUE(key(Qt::Key_Home, Shift).isEmpty());
    host.screen = 1;
    components.set.PagePanels = nullptr;
    EXPECT_TRUE(key(Qt::Key_Home, Shift).isEmpty());
    EXPECT_TRUE(key(Qt::Key_P, Ctrl).isEmpty());
}

TEST_F(KeyMapTest, F1OpensTheTopicOfTheScreenOrOfThePrintPreview)
{
    host.screen = 0;
    EXPECT_EQ(key(Qt::Key_F1, None), QStringList{"Help(d:\\run\\справка.htm, Topic12)"});
    host.screen = 1;
    EXPECT_EQ(key(Qt::Key_F1, None), QStringList{"Help(d:\\run\\справка.htm, Topic13)"});
    EXPECT_EQ(key(Qt::Key_F1, None, TKeySender::PrintPreview),
              QStringList{"Help(d:\\run\\справка.htm, Topic18)"});
    host.screen = 2;
    EXPECT_TRUE(key(Qt::Key_F1, None).isEmpty());
}

TEST_F(KeyMapTest, EscapeStopsASearchThenClosesTheDialogElseHidesThePopups)
{
    EXPECT_EQ(key(Qt::Key_Escape, None), QStringList{"Popups.HideAll"});
    components.dialog.visible = true;
    components.find.idle = false;
    EXPECT_EQ(key(Qt::Key_Escape, None), QStringList{"Find.SetIdle(true)"});
    components.find.idle = true;
    EXPECT_EQ(key(Qt::Key_Escape, None), QStringList{"Dialog.Close"});
    components.set.FindPanel = nullptr;
    EXPECT_EQ(key(Qt::Key_Escape, None), QStringList{"Dialog.Close"});
    components.set.Popups = nullptr;
    components.dialog.visible = false;
    EXPECT_TRUE(key(Qt::Key_Escape, None).isEmpty());
}

TEST_F(KeyMapTest, TheViewerTakesOnlyEscapeWhichEndsIt)
{
    host.viewerMode = true;
    EXPECT_TRUE(key(Qt::Key_F1, None).isEmpty());
    EXPECT_TRUE(key(Qt::Key_A, Ctrl).isEmpty());
    EXPECT_EQ(key(Qt::Key_Escape, None), (QStringList{"Terminate", "Popups.HideAll"}));
    host.viewerMode = false;
    host.helpMode = true;
    EXPECT_EQ(key(Qt::Key_Escape, Shift), (QStringList{"Terminate", "Popups.HideAll"}));
    EXPECT_TRUE(key(Qt::Key_Up, Shift).isEmpty());
}

} // namespace
