#include "dialogs/CoolDialog.h"

#include "EventPump.h"
#include "TempDir.h"
#include "data/Busy.h"
#include "dialogs/DialogDescription.h"
#include "dialogs/ScaleBar.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Pallidrome\\Demo");

QImage Plain(int width, int height, QRgb colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

// Column x of the page picture tells where it came from.
QImage Striped(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            picture.setPixel(x, y, qRgb(x % 256, 0, 0));
        }
    }
    return picture;
}

TDynamicStringArray Description()
{
    return {
        "1_picture=msg.bmp",
        "1_text vx=20 vy=30 vw=120;",
        "font=dejavu sans; size=10; style=bold; color=0,0,0; value=",
        "1_button vx=10;vy=60;align=left;fn1=b1.bmp;fn2=b2.bmp;fn3=b3.bmp;go=ok;hint=left;wav=no",
        "1_button",
        "vx=60;vy=60;align=middle;fn1=b1.bmp;fn2=b2.bmp;fn3=b3.bmp;go=yes;hint=mid;wav=no",
        "1_button vx=110;vy=60;align=right;fn1=b1.bmp;fn2=b2.bmp;fn3=b3.bmp;go=no;hint=r;wav=no",
        "2_picture=find.bmp",
        "2_button vx=150;vy=10;align=left;fn1=b1.bmp;fn2=b2.bmp;fn3=b3.bmp;go=findnext1;",
        "hint=search;wav=no",
        "2switchgrp vx=10;vy=90;fn1=s1.bmp;fn2=s2.bmp;fn3=s3.bmp;fn4=s4.bmp;state=on;store=on;",
        "group=1;go=findtxtall;hint=all;wav=no",
        "2switchgrp vx=60;vy=90;fn1=s1.bmp;fn2=s2.bmp;fn3=s3.bmp;fn4=s4.bmp;state=off;store=on;",
        "textcaptionup=here;textcaptiondn=here;texttx=2;textty=2;textbx=38;textby=18;",
        "group=1;go=findtxtlimit;hint=page;wav=no",
        "4_picture=missing.bmp",
        "9_button vx=1;vy=1",
    };
}

// The find panel as far as the dialog reaches it.
struct FakeFind : IFindPanel {
    QStringList log;
    QStringList titles;
    void ShowScreenEdits() override {}
    void FindNext(int number) override { log << QStringLiteral("find %1").arg(number); }
    void SetPageScope(bool all) override { log << QStringLiteral("scope %1").arg(all); }
    void SetIdle(bool idle) override { log << QStringLiteral("idle %1").arg(idle); }
    bool Idle() const override { return true; }
    void SetIndexMode(bool on) override { log << QStringLiteral("index %1").arg(on); }
    void SetContentsMode(bool on) override { log << QStringLiteral("contents %1").arg(on); }
    QStringList ResultTitles() const override { return titles; }
    void FollowResult(int index) override { log << QStringLiteral("follow %1").arg(index); }
};

class CoolDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        store = std::make_unique<Registry>(home.path());
        pictures = {{"msg.bmp", Striped(200, 100)},
                    {"find.bmp", Plain(200, 240, qRgb(9, 9, 9))},
                    {"b1.bmp", Plain(30, 20, qRgb(0, 0, 255))},
                    {"b2.bmp", Plain(30, 20, qRgb(0, 255, 0))},
                    {"b3.bmp", Plain(30, 20, qRgb(255, 0, 0))},
                    {"s1.bmp", Plain(40, 20, qRgb(1, 1, 1))},
                    {"s2.bmp", Plain(40, 20, qRgb(2, 2, 2))},
                    {"s3.bmp", Plain(40, 20, qRgb(3, 3, 3))},
                    {"s4.bmp", Plain(40, 20, qRgb(4, 4, 4))},
                    {"status_up.bmp", Plain(10, 4, qRgb(50, 50, 50))},
                    {"status_dn.bmp", Plain(10, 4, qRgb(200, 200, 0))}};
        set.FindPanel = &find;
        main.setGeometry(100, 100, 800, 600);
    }
    void Create()
    {
        TCoolDialogContext context;
        context.MainWindow = &main;
        context.Lines = Description();
        context.ReadPicture = [this](const QString& name) { return pictures.value(name); };
        context.Components = &set;
        context.SettingsKey = kKey;
        context.Store = store.get();
        context.PassKey = [this](int key, Qt::KeyboardModifiers) { keys << key; };
        dialog = std::make_unique<TCoolDialog>(context);
        set.Dialog = dialog.get();
    }
    void Mouse(QEvent::Type type, QPoint at)
    {
        QMouseEvent event(type, at, dialog->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(dialog.get(), &event);
    }
    void Click(QPoint at)
    {
        pumpUntil([this] { return !dialog->FadingIn(); });
        Mouse(QEvent::MouseMove, at);
        Mouse(QEvent::MouseButtonPress, at);
        Mouse(QEvent::MouseButtonRelease, at);
    }

    TempDir home;
    std::unique_ptr<Registry> store;
    QHash<QString, QImage> pictures;
    FakeFind find;
    TComponentSet set;
    QWidget main;
    QList<int> keys;
    std::unique_ptr<TCoolDialog> dialog;
};

} // namespace

TEST(DialogDescription, MarkersGivePagesAndElementsInOrder)
{
    const QList<TDialogPage> pages = ReadDialogDescription(Description());
    ASSERT_EQ(pages.size(), 4);
    EXPECT_EQ(pages[0].Picture, QStringLiteral("msg.bmp"));
    ASSERT_TRUE(pages[0].Text.has_value());
    EXPECT_EQ(pages[0].Text->Right, 120);
    EXPECT_EQ(pages[0].Text->Font, QStringLiteral("dejavu sans"));
    ASSERT_EQ(pages[0].Buttons.size(), 3);
    EXPECT_EQ(pages[0].Buttons[1].Align, QStringLiteral("middle"));
    EXPECT_EQ(pages[0].Buttons[1].Command, QStringLiteral("yes"));
    EXPECT_EQ(pages[1].Buttons[0].Hint, QStringLiteral("search"));
    ASSERT_EQ(pages[1].Switches.size(), 2);
    EXPECT_TRUE(pages[1].Switches[0].State);
    EXPECT_EQ(pages[1].Switches[1].CaptionUp, QStringLiteral("here"));
    EXPECT_EQ(pages[1].Switches[1].Command, QStringLiteral("findtxtlimit"));
    EXPECT_TRUE(pages[2].Picture.isEmpty());
    EXPECT_EQ(pages[3].Picture, QStringLiteral("missing.bmp"));
    EXPECT_EQ(FirstNumberIn(QStringLiteral("x12switchgrp 4")), 12);
    EXPECT_EQ(FirstNumberIn(QStringLiteral("_picture")), -1);
}

TEST_F(CoolDialog, ALongMessageWidensTheFaceAndMovesTheButtons)
{
    Create();
    dialog->ShowDialogPage(0, QStringLiteral("короткое"));
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->width(), 200);
    const QString message(60, QLatin1Char('W'));
    dialog->ShowDialogPage(0, message);
    const int extra = dialog->width() - 200;
    ASSERT_GT(extra, 0);
    EXPECT_EQ(dialog->ButtonRect(0).left(), 10);
    EXPECT_EQ(dialog->ButtonRect(1).left(), 60 + extra / 2);
    EXPECT_EQ(dialog->ButtonRect(2).left(), 110 + extra);
    const QImage& face = dialog->Face();
    EXPECT_EQ(qRed(face.pixel(99, 5)), 99) << "left half unchanged";
    EXPECT_EQ(qRed(face.pixel(100 + extra / 2, 5)), 100) << "the middle column repeats";
    EXPECT_EQ(qRed(face.pixel(150 + extra, 5)), 150) << "right half shifted";
    EXPECT_EQ(dialog->x(), main.x() + 400 - dialog->width() / 2) << "centred on the main window";
    dialog->ShowDialogPage(3, QString());
    EXPECT_EQ(dialog->DialogPage(), 0) << "a page without its picture is never shown";
}

TEST_F(CoolDialog, SwitchesOfAGroupExcludeEachOtherAndAreStored)
{
    find.titles = {QStringLiteral("A"), QStringLiteral("B")};
    Create();
    dialog->ShowDialogPage(TCoolDialog::kFindPage, QString());
    EXPECT_EQ(find.log, QStringList({"contents 0", "index 1"}))
        << "showing the find page runs the command of the switch that is on";
    ASSERT_NE(dialog->ResultList(), nullptr);
    EXPECT_EQ(dialog->height(), dialog->FullHeight());
    find.log.clear();
    Click(dialog->SwitchRect(0).center());
    EXPECT_TRUE(find.log.isEmpty()) << "a switch that is on stays on";
    Click(dialog->SwitchRect(1).center());
    EXPECT_EQ(find.log, QStringList({"scope 0"}));
    EXPECT_FALSE(dialog->SwitchOn(1, 0));
    EXPECT_TRUE(dialog->SwitchOn(1, 1));
    EXPECT_EQ(dialog->height(), TCoolDialog::kCompactHeight) << "no results: compact";
    EXPECT_EQ(dialog->ResultList(), nullptr);
    dialog->close();
    EXPECT_EQ(store->readBool(RegistryHive::CurrentUser, kKey, QStringLiteral("SwGrpD11")), true);
    EXPECT_EQ(store->readBool(RegistryHive::CurrentUser, kKey, QStringLiteral("SwGrpD10")), false);
    Create();
    EXPECT_TRUE(dialog->SwitchOn(1, 1)) << "read back at creation";
}

TEST_F(CoolDialog, ButtonsRunTheirCommandsOnReleaseAndOtherCommandsClose)
{
    Create();
    dialog->ShowDialogPage(TCoolDialog::kFindPage, QString());
    find.log.clear();
    Click(dialog->ButtonRect(0).center());
    EXPECT_EQ(find.log, QStringList({"find 1"}));
    EXPECT_EQ(dialog->ResultList(), nullptr) << "no results yet";
    dialog->ShowResults({QStringLiteral("One"), QStringLiteral("Two")});
    ASSERT_NE(dialog->ResultList(), nullptr);
    EXPECT_EQ(dialog->ResultList()->count(), 2);
    EXPECT_EQ(dialog->height(), dialog->FullHeight());
    find.log.clear();
    SetBusy(true);
    EXPECT_FALSE(dialog->RunCommand(QStringLiteral("findnext1"), QStringLiteral("no")));
    SetBusy(false);
    EXPECT_TRUE(find.log.contains(QStringLiteral("idle 1"))) << "a second search stops the first";
    EXPECT_FALSE(find.log.contains(QStringLiteral("find 1")));
    dialog->ShowDialogPage(0, QStringLiteral("Готово"));
    Click(dialog->ButtonRect(0).center());
    EXPECT_FALSE(dialog->isVisible()) << "\"ok\" closes the window";
    dialog->ShowDialogPage(0, QString());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dialog.get(), &escape);
    EXPECT_EQ(keys, QList<int>({Qt::Key_Escape})) << "Escape goes to the main window";
}

TEST_F(CoolDialog, TheProgressBarFillsOneColumnPerStep)
{
    Create();
    int screen = 1;
    TScaleBar bar([this](const QString& name) { return pictures.value(name); },
                  [&screen] { return screen; });
    bar.SetDialog(dialog.get());
    set.ScaleBar = &bar;
    dialog->ShowDialogPage(TCoolDialog::kFindPage, QString());
    EXPECT_EQ(bar.BarWidth(), 10);
    const QPoint at(TScaleBar::kBarX, TScaleBar::kBarY);
    EXPECT_EQ(dialog->Face().pixel(at), qRgb(50, 50, 50));
    for (int step = 0; step < 15; ++step) {
        bar.StepBar();
    }
    EXPECT_EQ(dialog->Face().pixel(at + QPoint(9, 3)), qRgb(200, 200, 0));
    EXPECT_EQ(dialog->Face().pixel(at + QPoint(10, 0)), qRgb(9, 9, 9)) << "nothing past the bar";
    bar.ResetBar();
    EXPECT_EQ(bar.FilledWidth(), 0);
    EXPECT_EQ(dialog->Face().pixel(at + QPoint(9, 3)), qRgb(50, 50, 50));
}
