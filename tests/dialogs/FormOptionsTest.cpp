#include "dialogs/FormOptions.h"

#include "TempDir.h"
#include "dialogs/FontForm.h"
#include "platform/Registry.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QSlider>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Pallidrome\\Demo");

class FormOptions : public ::testing::Test {
protected:
    void SetUp() override { store = std::make_unique<Registry>(home.path()); }
    std::unique_ptr<TFormOptions> Create(bool pictures)
    {
        settings.Load(*store, kKey);
        TFormOptionsContext context;
        context.Settings = &settings;
        context.Store = store.get();
        context.SettingsKey = kKey;
        context.PicturesPageVisible = pictures;
        context.SetSlideShowRunning = [this](bool on) {
            calls << QStringLiteral("run %1").arg(on);
        };
        context.SetSlideShowInterval = [this](int s) {
            calls << QStringLiteral("every %1").arg(s);
        };
        return std::make_unique<TFormOptions>(context);
    }
    QStringList Values() const
    {
        QStringList names = store->valueNames(RegistryHive::CurrentUser, kKey);
        names.sort();
        return names;
    }

    TempDir home;
    std::unique_ptr<Registry> store;
    TOptionsSettings settings;
    QStringList calls;
};

} // namespace

TEST_F(FormOptions, AFirstRunWritesTheDefaultsAndOkWritesTheInterfaceSize)
{
    store->writeString(RegistryHive::CurrentUser, kKey, QStringLiteral("BGSound"),
                       QStringLiteral("yes"));
    auto options = Create(true);
    EXPECT_TRUE(settings.BGSound) << "a string counts as unreadable";
    EXPECT_EQ(store->readBool(RegistryHive::CurrentUser, kKey, QStringLiteral("BGSound")), true);
    EXPECT_EQ(Values(), QStringList({"Animation", "BGSound", "Clip", "Hint", "ImageSequence",
                                     "RunSlideShow", "SlideShowTime", "Wav"}));
    EXPECT_EQ(settings.SlideShowTime, 5);
    options->ShowOptions();
    options->ButtonOKClick();
    EXPECT_TRUE(Values().contains(QStringLiteral("SizeInterface")));
    EXPECT_TRUE(calls.isEmpty()) << "nothing changed, nothing but the size written";
    EXPECT_FALSE(options->isVisible());
}

TEST_F(FormOptions, DisabledBoxesNeverChangeTheirSettings)
{
    auto options = Create(false);
    EXPECT_FALSE(options->PageControl1->isTabVisible(1));
    options->FormShow();
    options->CheckBoxClip->setChecked(false);
    options->CheckBoxWav->setChecked(false);
    options->ButtonOKClick();
    EXPECT_TRUE(settings.Clip);
    EXPECT_TRUE(settings.Wav);
    options->EnableChecks(false, true);
    options->FormShow();
    EXPECT_TRUE(options->CheckBoxWav->isChecked());
    options->CheckBoxWav->setChecked(false);
    options->ButtonOKClick();
    EXPECT_FALSE(settings.Wav);
    EXPECT_EQ(store->readBool(RegistryHive::CurrentUser, kKey, QStringLiteral("Wav")), false);
}

TEST_F(FormOptions, TheSlideShowTakesItsChangesOnOkOnly)
{
    auto options = Create(true);
    EXPECT_EQ(TFormOptions::SecondsText(1), QStringLiteral("1 секунда"));
    EXPECT_EQ(TFormOptions::SecondsText(3), QStringLiteral("3 секунды"));
    EXPECT_EQ(TFormOptions::SecondsText(5), QStringLiteral("5 секунд"));
    options->FormShow();
    options->TrackBarSlideShow->setValue(3);
    EXPECT_EQ(options->LabelTimeSlideShow->text(), QStringLiteral("3 секунды"));
    options->ButtonCancelClick();
    EXPECT_EQ(settings.SlideShowTime, 5);
    options->FormShow();
    EXPECT_EQ(options->TrackBarSlideShow->value(), 5) << "the stored position comes back";
    options->TrackBarSlideShow->setValue(2);
    options->CheckBoxRunSlideShow->setChecked(true);
    options->RadioGroupImageSequence->button(1)->setChecked(true);
    options->ButtonOKClick();
    EXPECT_EQ(calls, QStringList({"run 1", "every 2"}));
    EXPECT_EQ(settings.ImageSequence, 1);
    EXPECT_EQ(store->readInteger(RegistryHive::CurrentUser, kKey, QStringLiteral("SlideShowTime")),
              2);
    store->writeInteger(RegistryHive::CurrentUser, kKey, QStringLiteral("SlideShowTime"), 0);
    TOptionsSettings reread;
    reread.LoadPictureSettings(*store, kKey);
    EXPECT_EQ(reread.SlideShowTime, 5) << "a time the timer cannot run with is replaced";
}

TEST(FontForm, ResetBringsBackTheValuesItOpenedWith)
{
    TFontForm form;
    form.SetFontName(QStringLiteral("No Such Font At All"));
    EXPECT_EQ(form.FontName(), QStringLiteral("Arial")) << "or Arial is not installed";
    form.SetFontSize(10);
    form.SetFontColor(Qt::darkRed);
    form.SetHotSpotColor(Qt::blue);
    form.SetBackground(QColor(0xC0, 0xDC, 0xC0));
    EXPECT_EQ(form.BackListBox->currentItem()->text(), QStringLiteral("clMoneyGreen"));
    form.Remember();
    form.SetFontSize(20);
    form.SetFontColor(Qt::green);
    form.SetBackground(QColor(1, 2, 3));
    EXPECT_EQ(form.BackListBox->currentItem()->text(), QStringLiteral("$00030201"));
    EXPECT_EQ(form.Background(), QColor(1, 2, 3));
    form.ResetButtonClick();
    EXPECT_EQ(form.FontSize(), 10);
    EXPECT_EQ(form.FontColor(), QColor(Qt::darkRed));
    EXPECT_EQ(form.Background(), QColor(0xC0, 0xDC, 0xC0));
    const QList<QListWidgetItem*> none =
        form.BackListBox->findItems(QStringLiteral("clNone"), Qt::MatchExactly);
    ASSERT_EQ(none.size(), 1);
    form.BackListBox->setCurrentItem(none.first());
    EXPECT_EQ(form.Background(), form.palette().color(QPalette::Button)) << "no colour of its own";
}
