#pragma once

#include "engine/HtmlViewerTypes.h"

#include <QColor>
#include <QDialog>
#include <QList>

class QListWidget;
class QPushButton;
class QSpinBox;
class QTextEdit;
class TColorGrid;

// The page font dialog: the font, text and link colours, size and
// background of the pages, tried out on a sample page. Nothing is stored:
// the page panels take the values for the current run.
class TFontForm final : public QDialog {
    Q_OBJECT
public:
    explicit TFontForm(QWidget* parent = nullptr);

    // Shows the dialog modally with the viewer's defaults; true and the
    // new values when it ends with OK.
    static bool Choose(ViewerDefaults& defaults, QWidget* parent);

    QString FontName() const;
    void SetFontName(const QString& name);
    QColor FontColor() const { return fontColor_; }
    void SetFontColor(const QColor& colour);
    QColor HotSpotColor() const { return hotSpotColor_; }
    void SetHotSpotColor(const QColor& colour);
    int FontSize() const { return fontSize_; }
    void SetFontSize(int size);
    QColor Background() const;
    void SetBackground(const QColor& colour);

    // The background colour names of the list and their colours (invalid
    // for the two names that are no colour of their own).
    static QList<std::pair<QString, QColor>> ColourNames();
    static QString NameOf(const QColor& colour);

    QListWidget* FontListBox = nullptr;
    QListWidget* BackListBox = nullptr;
    TColorGrid* FontColorGrid = nullptr;
    TColorGrid* HotSpotColorGrid = nullptr;
    QSpinBox* FontSizeEdit = nullptr;
    QTextEdit* FontViewer = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* Cancel = nullptr;
    QPushButton* ResetButton = nullptr;

    void ShowSample();
    void Remember();
    void ResetButtonClick();

private:
    void CreateControls();

    QColor fontColor_ = Qt::black;
    QColor hotSpotColor_ = Qt::blue;
    int fontSize_ = 12;
    ViewerDefaults remembered_;
};
