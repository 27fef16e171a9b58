#include "search/IndexMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct Seen {
    QMessageBox::Icon icon = QMessageBox::Question;
    QString text;
    bool hadOk = false;
};

// Answers the next modal message box with OK and records what it showed.
void answerNextBox(Seen& seen)
{
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        seen.icon = box->icon();
        seen.text = box->text();
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        seen.hadOk = ok != nullptr;
        if (ok) {
            ok->click();
        } else {
            box->reject();
        }
    });
}

} // namespace

TEST(IndexMessageBox, InstalledBoxesShowPlainAndWarningMessages)
{
    IndexMessageBox::Install();
    Seen plain;
    answerNextBox(plain);
    IndexMessages::Show(IndexMessageKind::Plain, QStringLiteral("Индескный(е) файл(ы) не найден"));
    EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
    EXPECT_EQ(plain.text, QStringLiteral("Индескный(е) файл(ы) не найден"));
    EXPECT_TRUE(plain.hadOk);

    Seen warning;
    answerNextBox(warning);
    IndexMessages::Show(IndexMessageKind::Warning, QStringLiteral("Индексный файл не найден (x)"));
    EXPECT_EQ(warning.icon, QMessageBox::Warning);
    EXPECT_EQ(warning.text, QStringLiteral("Индексный файл не найден (x)"));
    EXPECT_TRUE(warning.hadOk);
    IndexMessages::SetHandler({});
}
