#pragma once

#include "components/ComponentSet.h"
#include "dialogs/DialogDescription.h"

#include <QImage>
#include <QListWidget>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class Registry;
class TEffBtnCar;
class TEffCar;

// What the program entry hands the skinned dialog.
struct TCoolDialogContext {
    QWidget* MainWindow = nullptr;
    TDynamicStringArray Lines; // the decoded description, lower-cased
    // A picture of the resource container; null when missing.
    std::function<QImage(const QString& name)> ReadPicture;
    TComponentSet* Components = nullptr;
    QString AppDir;
    QString SettingsKey;
    Registry* Store = nullptr; // the process's registry when null
    std::function<bool()> ClickSoundsOn;
    std::function<bool()> HintsOn;
    // Keys the dialog leaves to the main window (Escape).
    std::function<void(int key, Qt::KeyboardModifiers modifiers)> PassKey;
    // The text elements that belong to the dialog.
    std::function<void(QPainter& painter)> PaintTexts;
};

// The one secondary window in the shell's own look: a borderless, always on
// top window whose face is a page picture with picture buttons, switches and
// a line of text. Page 0 shows messages, page 1 hosts the search; pages 2
// and 3 carry the print preview's printer messages in their pictures.
class TCoolDialog final : public QWidget, public ISkinnedDialog {
    Q_OBJECT
public:
    static constexpr int kFadeStep = 4;
    static constexpr int kCompactHeight = 115;
    static constexpr int kFindPage = 1;

    explicit TCoolDialog(const TCoolDialogContext& context);
    ~TCoolDialog() override;

    void ShowDialogPage(int page, const QString& message) override;
    bool IsVisible() const override { return isVisible(); }
    void Close() override { close(); }
    void ShowResults(const QStringList& titles) override;
    void SetSearchHint(const QString& hint) override;
    bool RunCommand(const QString& command, const QString& sound) override;
    QWidget* DialogWindow() override { return this; }

    int DialogPage() const { return page_; }
    int FullHeight() const { return fullHeight_; }
    const QList<TDialogPage>& Pages() const { return pages_; }
    // The composed face of the page shown; the scale bar draws into it.
    QImage& Face() { return face_; }
    QListWidget* ResultList() const { return results_; }
    // The on state of switch index of page, as shown and stored.
    bool SwitchOn(int page, int index) const;
    QRect ButtonRect(int index) const;
    QRect SwitchRect(int index) const;
    bool FadingIn() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct TShownButton {
        RDialogButton Record; // shifted with the face
        std::array<QImage, 3> Pic;
        bool Hover = false;
        bool Pressed = false;
        TEffBtnCar* Effect = nullptr;
    };
    struct TShownSwitch {
        int Index = 0; // in the page's switches
        std::array<QImage, 4> Pic;
        bool Hover = false;
        TEffBtnCar* Effect = nullptr;
    };

    void LoadStoredStates();
    void StoreStates() const;
    void BuildElements(int page);
    void ComposeFace(const QImage& picture, const QString& message);
    void PlaceFindFields(bool findPage);
    void SetFindFieldsShown(bool shown);
    void FreeElements();
    void DrawSwitchCaption(QImage& picture, const RSwthGrp& record, int state) const;
    RSwthGrp& SwitchRecord(const TShownSwitch& shown);
    int ButtonAt(QPoint point) const;
    int SwitchAt(QPoint point) const;
    void HoverAt(QPoint point);
    void PressSwitch(TShownSwitch& shown);
    void PlaySound(const QString& sound) const;
    IFindPanel* FindPanel() const;
    QString SwitchValueName(int page, int index) const;

    TCoolDialogContext context_;
    QList<TDialogPage> pages_;
    int page_ = 0;
    int extra_ = 0;
    int fullHeight_ = 0;
    QImage face_;
    std::vector<TShownButton> buttons_;
    std::vector<TShownSwitch> switches_;
    QPointer<QListWidget> results_;
    TEffCar* fadeIn_ = nullptr;
    bool dragging_ = false;
    QPoint dragOffset_;
};
