// Keys and drops as the real window receives them: keys typed in any widget
// of the window reach the key map once, before the widget; a key the map
// consumes goes no further; dropped files reach the drop rules.

#include "QuietMasks.h"
#include "RecordingComponents.h"
#include "ShellTestDisc.h"
#include "platform/Registry.h"
#include "shell/MainForm.h"
#include "shell/ShellGlobals.h"
#include "shell/WindowAnimation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

using shelltest::CallLog;
using shelltest::RecordingComponents;

namespace {

class MainFormEventsTest : public testing::Test {
protected:
    void SetUp() override
    {
        form.FormCreate();
        for (int tick = 0; form.Animation().Running() && tick < 2000; ++tick) {
            form.Animation().Tick();
        }
        form.Components() = components.set;
        QString command = QStringLiteral("2");
        QString sound;
        form.ExecuteCommand(command, sound, 0, 0, 1);
        ASSERT_EQ(Shell().CurrentScreen, 1);
        log.calls.clear();
    }
    void TearDown() override { form.Components() = TComponentSet(); }

    // Sends a key press to the widget as the application would deliver it.
    bool press(QWidget* target, int key, Qt::KeyboardModifiers modifiers)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        return QApplication::sendEvent(target, &event) && event.isAccepted();
    }

    shelltest::ShellTestDisc disc{QStringLiteral("тестовый диск"), QString(),
                                  QStringLiteral("2_screen=bg.bmp\n")};
    TMainForm form{disc.context()};
    CallLog log;
    RecordingComponents components{log};
};

TEST_F(MainFormEventsTest, KeysOfAnyWidgetReachTheKeyMapOnceAndConsumedOnesStop)
{
    auto* edit = new QLineEdit(&form);
    edit->setText(QStringLiteral("слово"));
    edit->show();
    QApplication::setActiveWindow(&form);
    edit->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edit);

    edit->setCursorPosition(0);
    press(edit, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(log.calls, QStringList{"Panels.PrevChapter"});
    EXPECT_EQ(edit->selectedText(), QString()) << "the consumed key never reached the field";

    log.calls.clear();
    press(edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(log.calls, QStringList{"Panels.SelectAll"});
    EXPECT_EQ(edit->selectedText(), QStringLiteral("слово")) << "the field had the key as well";

    log.calls.clear();
    auto* plain = new QWidget(&form);
    plain->setFocusPolicy(Qt::StrongFocus);
    plain->show();
    plain->setFocus();
    press(plain, Qt::Key_Escape, Qt::NoModifier);
    EXPECT_EQ(log.calls, QStringList{"Popups.HideAll"})
        << "a key passed on to the parents is handled once";
}

TEST_F(MainFormEventsTest, TheFirstDroppedFileGoesToTheDropRules)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/Фото.JPG")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/b.wav"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &drop);
    EXPECT_EQ(log.calls, QStringList{"Panels.OpenFile(z:\\tmp\\фото.jpg)"});
}

TEST_F(MainFormEventsTest, TheMusicButtonStoresItsSwitchAndTheCaseSwitchItsFlag)
{
    const bool before = form.Settings().BGSound;
    QString command = QStringLiteral("bgsound");
    QString sound;
    form.ExecuteCommand(command, sound, 2, 0, 1);
    EXPECT_EQ(form.Settings().BGSound, !before);
    EXPECT_EQ(disc.registry().readBool(RegistryHive::CurrentUser,
                                       QStringLiteral("SOFTWARE\\Pallidrome\\Тестовый диск"),
                                       QStringLiteral("BGSound")),
              std::optional<bool>(!before));
    command = QStringLiteral("caseon");
    form.ExecuteCommand(command, sound, 0, 0, 1);
    EXPECT_TRUE(Shell().CaseSensitive);
    command = QStringLiteral("caseoff");
    form.ExecuteCommand(command, sound, 0, 0, 1);
    EXPECT_FALSE(Shell().CaseSensitive);
}

} // namespace
