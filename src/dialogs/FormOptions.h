#pragma once

#include "components/OptionsSettings.h"
#include "components/ServiceComponents.h"

#include <QDialog>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class Registry;

// What the program entry hands the options dialog.
struct TFormOptionsContext {
    QWidget* MainWindow = nullptr;
    TOptionsSettings* Settings = nullptr; // the working values, kept by the shell
    Registry* Store = nullptr;            // the process's registry when null
    QString SettingsKey;
    bool PicturesPageVisible = false;
    std::function<void(bool running)> SetSlideShowRunning;
    std::function<void(int seconds)> SetSlideShowInterval;
    // The page font dialog of the page panels.
    std::function<void()> ChooseFont;
};

// The options dialog: shows the settings, stores the changed ones on OK,
// and opens the page font dialog. Created hidden at start-up (it loads the
// picture settings then) and opened, not modal, by the command "options".
class TFormOptions final : public QDialog, public IOptionsWindow {
    Q_OBJECT
public:
    explicit TFormOptions(const TFormOptionsContext& context);

    void ShowOptions() override;
    // The intro clip and click-sound boxes can only be used when the
    // interface declares a clip and some button has a sound.
    void EnableChecks(bool introClipDeclared, bool clickSoundsDeclared);

    // The text beside the track bar for n seconds.
    static QString SecondsText(int seconds);

    QCheckBox* CheckBoxClip = nullptr;
    QCheckBox* CheckBoxWav = nullptr;
    QCheckBox* CheckBoxBGSound = nullptr;
    QCheckBox* CheckBoxAnimation = nullptr;
    QCheckBox* CheckBoxHint = nullptr;
    QCheckBox* CheckBoxRunSlideShow = nullptr;
    QCheckBox* CheckBoxImageCyclic = nullptr;
    QSlider* TrackBarSlideShow = nullptr;
    QLabel* LabelTimeSlideShow = nullptr;
    QButtonGroup* InterfaceSize = nullptr;
    QButtonGroup* RadioGroupImageSequence = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;
    QPushButton* Button1 = nullptr;

    void FormShow();
    void ButtonOKClick();
    void ButtonCancelClick();
    void TrackBarSlideShowChange();

private:
    QWidget* CreateMainPage();
    QWidget* CreatePicturesPage();
    Registry& Store() const;
    void Write(const QString& name, bool value) const;
    void Write(const QString& name, int value) const;

    TFormOptionsContext context_;
};
