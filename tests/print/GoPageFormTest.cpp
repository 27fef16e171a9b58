#include "print/GoPageForm.h"

#include "ModalWatchdog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void Type(QWidget* target, int key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

} // namespace

// The form asked modally is answered from the event loop; a form left
// unanswered fails the test.
class GoPage : public ::testing::Test {
protected:
    ModalWatchdog watchdog;
};

TEST_F(GoPage, TheFieldIsLimitedToThePagesAndStartsAtTheCurrentOne)
{
    TGoPageForm form(12, 4);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Переход на страницу"));
    EXPECT_EQ(form.PageNum()->minimum(), 1);
    EXPECT_EQ(form.PageNum()->maximum(), 12);
    EXPECT_EQ(form.PageNum()->value(), 5);
    EXPECT_EQ(form.ChosenPage(), 4);
    EXPECT_EQ(form.OKBtn()->text(), QStringLiteral("OK"));
    EXPECT_EQ(form.CancelBtn()->text(), QStringLiteral("Отмена"));

    form.PageNum()->setValue(40);
    EXPECT_EQ(form.ChosenPage(), 11);
    form.PageNum()->setValue(-3);
    EXPECT_EQ(form.ChosenPage(), 0);

    TGoPageForm outside(3, 9);
    EXPECT_EQ(outside.PageNum()->value(), 3);
    TGoPageForm none(0, 0);
    EXPECT_EQ(none.PageNum()->maximum(), 1);
    EXPECT_EQ(none.ChosenPage(), 0);
}

TEST_F(GoPage, ATypedNumberReplacesTheSelectedOneAndEnterTakesIt)
{
    std::optional<int> chosen;
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<TGoPageForm*>(QApplication::activeModalWidget());
        ASSERT_TRUE(form);
        QSpinBox* field = form->PageNum();
        field->setFocus();
        QApplication::processEvents();
        QLineEdit* edit = field->findChild<QLineEdit*>();
        EXPECT_EQ(edit->selectedText(), QStringLiteral("2"));
        Type(field, Qt::Key_9, QStringLiteral("9"));
        EXPECT_EQ(edit->text(), QStringLiteral("2")) << "9 is beyond the last page";
        Type(field, Qt::Key_Backspace);
        Type(field, Qt::Key_7, QStringLiteral("7"));
        Type(field, Qt::Key_Return);
    });
    chosen = TGoPageForm::Ask(8, 1, nullptr);
    EXPECT_EQ(chosen, 6);
}

TEST_F(GoPage, EscapeOrCancelChoosesNothing)
{
    QTimer::singleShot(0, [] {
        QWidget* form = QApplication::activeModalWidget();
        ASSERT_TRUE(form);
        Type(form, Qt::Key_Escape);
    });
    EXPECT_FALSE(TGoPageForm::Ask(8, 1, nullptr));
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<TGoPageForm*>(QApplication::activeModalWidget());
        ASSERT_TRUE(form);
        form->CancelBtn()->click();
    });
    EXPECT_FALSE(TGoPageForm::Ask(8, 1, nullptr));
}
