#include "FindPanelFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

class FindTxtFields : public FindPanelFixture {
protected:
    // A key as the user types it into a field; true when the field took it.
    static bool press(QWidget& target, int key, const QString& text = QString())
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&target, &event);
        return event.isAccepted();
    }
};

} // namespace

TEST_F(FindTxtFields, FieldsAreBorderlessHiddenAndPlacedOnTheDialogPerScreen)
{
    screen = 0;
    TDynamicFindTxtArray records{record(1, 1), record(2, 0)};
    records[1].Left = 5;
    records[1].Top = 40;
    records[1].Right = 105;
    records[1].Bottom = 52;
    makePanel(records);

    ASSERT_EQ(panel->Edits().size(), 2);
    EXPECT_EQ(edit(0).parentWidget(), &dialog.window);
    EXPECT_FALSE(edit(0).hasFrame());
    EXPECT_EQ(edit(0).geometry(), QRect(10, 20, 200, 17));
    EXPECT_EQ(edit(0).font().pixelSize(), 16);
    EXPECT_EQ(edit(0).toolTip(), QStringLiteral("Поле 1"));
    EXPECT_EQ(edit(1).geometry(), QRect(5, 40, 100, 12));
    EXPECT_EQ(edit(1).font().pixelSize(), 11);
    // Created on screen 0: only that screen's field is shown.
    EXPECT_TRUE(edit(0).isHidden());
    EXPECT_FALSE(edit(1).isHidden());

    screen = 1;
    panel->ShowScreenEdits();
    EXPECT_FALSE(edit(0).isHidden());
    EXPECT_TRUE(edit(1).isHidden());
    panel->ShowScreenEdits();
    EXPECT_FALSE(edit(0).isHidden());

    panel->ShowEdits(true);
    EXPECT_TRUE(edit(0).isHidden());
    EXPECT_TRUE(edit(1).isHidden());
    panel->ShowEdits(false);
    EXPECT_FALSE(edit(0).isHidden());
    EXPECT_TRUE(edit(1).isHidden());
    EXPECT_EQ(dialog.window.focusWidget(), &edit(0));
}

TEST_F(FindTxtFields, WithoutDialogFieldsSitOnTheThesaurusWindowOrNowhere)
{
    components.Dialog = nullptr;
    thesaurus = true;
    makePanel();
    EXPECT_EQ(edit().parentWidget(), &mainWindow);
    EXPECT_FALSE(edit().isHidden());

    thesaurus = false;
    makePanel();
    EXPECT_EQ(edit().parentWidget(), nullptr);
    panel->ShowScreenEdits();
    panel->ShowEdits(false);
    // A field without a window is never shown as a window of its own.
    EXPECT_TRUE(edit().isHidden());
}

TEST_F(FindTxtFields, TheFactoryMakesNoPanelWithoutFields)
{
    EXPECT_EQ(CreateFindPanel(context({}), [this] { return viewer; }), nullptr);
    const std::unique_ptr<IFindPanel> made =
        CreateFindPanel(context({record(1), record(2)}), [this] { return viewer; });
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Edits().size(), 2);
    EXPECT_TRUE(made->Idle());
}

TEST_F(FindTxtFields, EnterInTheFirstFieldRunsTheSearchButtonAndIsSwallowedEverywhere)
{
    makePanel({record(1), record(2)});
    int returnsSeen = 0;
    QObject::connect(&edit(0), &QLineEdit::returnPressed, [&returnsSeen] { ++returnsSeen; });
    QObject::connect(&edit(1), &QLineEdit::returnPressed, [&returnsSeen] { ++returnsSeen; });

    EXPECT_TRUE(press(edit(0), Qt::Key_Return));
    EXPECT_EQ(dialog.commands, QStringList{QStringLiteral("findnext1|no")});
    // The search ran on the empty field.
    EXPECT_EQ(status.current, QStringLiteral("Введите слово для поиска"));

    EXPECT_TRUE(press(edit(1), Qt::Key_Enter));
    EXPECT_EQ(dialog.commands.size(), 1);
    EXPECT_EQ(returnsSeen, 0);
    EXPECT_TRUE(dialog.window.keys.isEmpty());
}

TEST_F(FindTxtFields, EscapeGoesPastTheFieldToItsWindowAndBusyFieldsTakeNoKeys)
{
    makePanel();
    edit().setText(QStringLiteral("аб"));
    press(edit(), Qt::Key_Escape);
    EXPECT_EQ(dialog.window.keys, QList<int>{Qt::Key_Escape});
    EXPECT_EQ(edit().text(), QStringLiteral("аб"));

    press(edit(), Qt::Key_A, QStringLiteral("в"));
    EXPECT_EQ(edit().text(), QStringLiteral("абв"));

    SetBusy(true);
    press(edit(), Qt::Key_A, QStringLiteral("г"));
    press(edit(), Qt::Key_Backspace);
    press(edit(), Qt::Key_Return);
    EXPECT_EQ(edit().text(), QStringLiteral("абв"));
    EXPECT_TRUE(dialog.commands.isEmpty());
    // The dialog still sees Escape, which stops a running search.
    press(edit(), Qt::Key_Escape);
    EXPECT_EQ(dialog.window.keys.size(), 2);
    SetBusy(false);
}

TEST_F(FindTxtFields, EnterSearchesDirectlyInTheThesaurusWindow)
{
    components.Dialog = nullptr;
    thesaurus = true;
    makePanel();
    status.ShowStatus(QStringLiteral("старое"));
    press(edit(), Qt::Key_Return);
    EXPECT_EQ(status.current, QStringLiteral("Введите слово для поиска"));
}

TEST_F(FindTxtFields, MovingOverAFieldEndsTheButtonHover)
{
    makePanel();
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&edit(), &move);
    EXPECT_EQ(hoverEnds, 1);
}

TEST_F(FindTxtFields, IdleSetsTheSearchButtonTooltip)
{
    makePanel();
    panel->SetIdle(false);
    EXPECT_FALSE(panel->Idle());
    EXPECT_FALSE(panel->StopRequested());
    EXPECT_EQ(dialog.hints.last(), QStringLiteral("Остановить поиск"));
    panel->SetIdle(true);
    EXPECT_TRUE(panel->StopRequested());
    EXPECT_EQ(dialog.hints.last(), QStringLiteral("Искать"));

    components.Dialog = nullptr;
    panel->SetIdle(false);
    EXPECT_FALSE(panel->Idle());
    EXPECT_EQ(dialog.hints.size(), 2);
}

TEST_F(FindTxtFields, ModesAndScope)
{
    makePanel();
    panel->SetIndexMode(true);
    EXPECT_TRUE(panel->IndexMode());
    panel->SetContentsMode(true);
    EXPECT_TRUE(panel->ContentsMode());
    EXPECT_FALSE(panel->IndexMode());
    panel->SetIndexMode(true);
    EXPECT_FALSE(panel->ContentsMode());

    panel->SetPageScope(false);
    EXPECT_FALSE(panel->IndexMode());
    EXPECT_FALSE(panel->AllPages());
    panel->SetContentsMode(true);
    panel->SetPageScope(true);
    EXPECT_TRUE(panel->AllPages());
    EXPECT_FALSE(panel->ContentsMode());
}

TEST_F(FindTxtFields, ANumberWithoutFieldDoesNothingVisible)
{
    makePanel();
    status.ShowStatus(QStringLiteral("Файл скопирован"));
    panel->FindNext(7);
    panel->FindNext(0);
    EXPECT_EQ(status.current, QStringLiteral("Файл скопирован"));
    EXPECT_TRUE(dialog.hints.isEmpty());
    EXPECT_TRUE(busyChanges.isEmpty());
}
