#include "dialogs/FormOptions.h"

#include "platform/Registry.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>

TFormOptions::TFormOptions(const TFormOptionsContext& context)
    : QDialog(context.MainWindow, Qt::Dialog | Qt::WindowStaysOnTopHint), context_(context)
{
    setWindowTitle(QStringLiteral("Настройки"));
    setFixedSize(401, 277);
    PageControl1 = new QTabWidget(this);
    PageControl1->setGeometry(0, 0, 401, 217);
    PageControl1->addTab(CreateMainPage(), QStringLiteral("Основные"));
    const int pictures = PageControl1->addTab(CreatePicturesPage(), QStringLiteral("Картинки"));
    PageControl1->setTabVisible(pictures, context_.PicturesPageVisible);
    PageControl1->setCurrentIndex(0);
    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setGeometry(226, 236, 75, 25);
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(QStringLiteral("Отмена"), this);
    ButtonCancel->setGeometry(310, 236, 75, 25);
    connect(ButtonOK, &QPushButton::clicked, this, &TFormOptions::ButtonOKClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &TFormOptions::ButtonCancelClick);
    if (context_.Settings && context_.PicturesPageVisible) {
        context_.Settings->LoadPictureSettings(Store(), context_.SettingsKey);
    }
}

QWidget* TFormOptions::CreateMainPage()
{
    auto* page = new QWidget;
    const auto box = [page](const char* text, int top, bool shown) {
        auto* check = new QCheckBox(QString::fromUtf8(text), page);
        check->setGeometry(16, top, 250, 20);
        check->setVisible(shown);
        return check;
    };
    CheckBoxClip = box("Клип при запуске", 12, false);
    CheckBoxClip->setEnabled(false);
    CheckBoxWav = box("Озвучка кнопок", 12, true);
    CheckBoxWav->setEnabled(false);
    CheckBoxBGSound = box("Фоновая музыка", 36, false);
    CheckBoxBGSound->setEnabled(false);
    CheckBoxAnimation = box("Анимация окон", 60, false);
    CheckBoxHint = box("Всплывающие подсказки", 84, false);
    auto* group = new QGroupBox(QStringLiteral(" Вариант интерфейса "), page);
    group->setGeometry(16, 40, 220, 130);
    InterfaceSize = new QButtonGroup(page);
    const char* const sizes[] = {"Автоматический выбор", "800x600", "1024x768", "Произвольный"};
    for (int index = 0; index < 4; ++index) {
        auto* radio = new QRadioButton(QString::fromUtf8(sizes[index]), group);
        radio->setGeometry(12, 22 + index * 26, 200, 20);
        InterfaceSize->addButton(radio, index);
    }
    Button1 = new QPushButton(QStringLiteral("Шрифт"), page);
    Button1->setGeometry(260, 48, 110, 27);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (context_.ChooseFont) {
            context_.ChooseFont();
        }
    });
    return page;
}

QWidget* TFormOptions::CreatePicturesPage()
{
    auto* page = new QWidget;
    CheckBoxRunSlideShow = new QCheckBox(QStringLiteral("Включить Слайд-шоу"), page);
    CheckBoxRunSlideShow->setGeometry(16, 12, 250, 20);
    TrackBarSlideShow = new QSlider(Qt::Horizontal, page);
    TrackBarSlideShow->setGeometry(16, 44, 250, 28);
    TrackBarSlideShow->setRange(1, 10);
    TrackBarSlideShow->setSingleStep(1);
    TrackBarSlideShow->setPageStep(1);
    TrackBarSlideShow->setTickPosition(QSlider::TicksBelow);
    LabelTimeSlideShow = new QLabel(page);
    LabelTimeSlideShow->setGeometry(280, 48, 100, 20);
    connect(TrackBarSlideShow, &QSlider::valueChanged, this,
            &TFormOptions::TrackBarSlideShowChange);
    auto* sequence = new QGroupBox(QStringLiteral(" Последовательность "), page);
    sequence->setGeometry(16, 84, 250, 80);
    RadioGroupImageSequence = new QButtonGroup(page);
    const char* const orders[] = {"Прямая", "Обратная"};
    for (int index = 0; index < 2; ++index) {
        auto* radio = new QRadioButton(QString::fromUtf8(orders[index]), sequence);
        radio->setGeometry(12, 22 + index * 26, 200, 20);
        RadioGroupImageSequence->addButton(radio, index);
    }
    CheckBoxImageCyclic = new QCheckBox(page);
    CheckBoxImageCyclic->hide();
    return page;
}

Registry& TFormOptions::Store() const
{
    return context_.Store ? *context_.Store : Registry::instance();
}

void TFormOptions::Write(const QString& name, bool value) const
{
    Store().writeBool(RegistryHive::CurrentUser, context_.SettingsKey, name, value);
}

void TFormOptions::Write(const QString& name, int value) const
{
    Store().writeInteger(RegistryHive::CurrentUser, context_.SettingsKey, name, value);
}

QString TFormOptions::SecondsText(int seconds)
{
    const char* unit = seconds == 1                   ? " секунда"
                       : seconds >= 2 && seconds <= 4 ? " секунды"
                                                      : " секунд";
    return QString::number(seconds) + QString::fromUtf8(unit);
}

void TFormOptions::EnableChecks(bool introClipDeclared, bool clickSoundsDeclared)
{
    CheckBoxClip->setEnabled(introClipDeclared);
    CheckBoxWav->setEnabled(clickSoundsDeclared);
}

void TFormOptions::ShowOptions()
{
    FormShow();
    if (const QScreen* screen = this->screen()) {
        move(screen->geometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void TFormOptions::FormShow()
{
    const TOptionsSettings& settings = *context_.Settings;
    ButtonOK->setFocus();
    if (CheckBoxClip->isEnabled()) {
        CheckBoxClip->setChecked(settings.Clip);
    }
    if (CheckBoxWav->isEnabled()) {
        CheckBoxWav->setChecked(settings.Wav);
    }
    CheckBoxAnimation->setChecked(settings.Animation);
    CheckBoxHint->setChecked(settings.Hint);
    if (QAbstractButton* size = InterfaceSize->button(settings.SizeInterface)) {
        size->setChecked(true);
    }
    CheckBoxRunSlideShow->setChecked(settings.RunSlideShow);
    TrackBarSlideShow->setValue(settings.SlideShowTime);
    TrackBarSlideShowChange();
    if (QAbstractButton* order = RadioGroupImageSequence->button(settings.ImageSequence)) {
        order->setChecked(true);
    } else if (QAbstractButton* checked = RadioGroupImageSequence->checkedButton()) {
        RadioGroupImageSequence->setExclusive(false);
        checked->setChecked(false);
        RadioGroupImageSequence->setExclusive(true);
    }
}

void TFormOptions::TrackBarSlideShowChange()
{
    LabelTimeSlideShow->setText(SecondsText(TrackBarSlideShow->value()));
}

void TFormOptions::ButtonOKClick()
{
    hide();
    TOptionsSettings& settings = *context_.Settings;
    if (CheckBoxClip->isEnabled() && CheckBoxClip->isChecked() != settings.Clip) {
        settings.Clip = CheckBoxClip->isChecked();
        Write(QStringLiteral("Clip"), settings.Clip);
    }
    if (CheckBoxWav->isEnabled() && CheckBoxWav->isChecked() != settings.Wav) {
        settings.Wav = CheckBoxWav->isChecked();
        Write(QStringLiteral("Wav"), settings.Wav);
    }
    if (InterfaceSize->checkedId() >= 0) {
        settings.SizeInterface = InterfaceSize->checkedId();
    }
    Write(QStringLiteral("SizeInterface"), settings.SizeInterface);
    if (!context_.PicturesPageVisible) {
        return;
    }
    if (CheckBoxRunSlideShow->isChecked() != settings.RunSlideShow) {
        settings.RunSlideShow = CheckBoxRunSlideShow->isChecked();
        Write(QStringLiteral("RunSlideShow"), settings.RunSlideShow);
        if (context_.SetSlideShowRunning) {
            context_.SetSlideShowRunning(settings.RunSlideShow);
        }
    }
    if (TrackBarSlideShow->value() != settings.SlideShowTime) {
        settings.SlideShowTime = TrackBarSlideShow->value();
        Write(QStringLiteral("SlideShowTime"), settings.SlideShowTime);
        if (context_.SetSlideShowInterval) {
            context_.SetSlideShowInterval(settings.SlideShowTime);
        }
    }
    const int sequence = RadioGroupImageSequence->checkedId();
    if (sequence >= 0 && sequence != settings.ImageSequence) {
        settings.ImageSequence = sequence;
        Write(QStringLiteral("ImageSequence"), settings.ImageSequence);
    }
}

void TFormOptions::ButtonCancelClick()
{
    hide();
}
