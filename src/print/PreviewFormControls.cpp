#include "print/GoPageForm.h"
#include "print/PageView.h"
#include "print/PreviewForm.h"
#include "print/PrintStatusForm.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QToolButton>

namespace {

const QString kNoPrinter = QStringLiteral("Принтер не доступен!");
constexpr int kArrowStep = 20;

} // namespace

void TPreviewForm::connectControls()
{
    const TPreviewUi& ui = ui_;
    connect(ui.PrintBut, &QToolButton::clicked, this, &TPreviewForm::Print);
    connect(ui.PageOrientationBut, &QToolButton::clicked, this, &TPreviewForm::ToggleOrientation);
    connect(ui.FirstPageBut, &QToolButton::clicked, this, [this] {
        ShowPage(0);
        UpdatePageButtons();
    });
    connect(ui.PrevPageBut, &QToolButton::clicked, this, [this] {
        ShowPage(currentPage_ - 1);
        UpdatePageButtons();
    });
    connect(ui.NextPageBut, &QToolButton::clicked, this, [this] {
        ShowPage(currentPage_ + 1);
        UpdatePageButtons();
    });
    connect(ui.LastPageBut, &QToolButton::clicked, this, [this] {
        ShowPage(PageCount() - 1);
        UpdatePageButtons();
    });
    connect(ui.GoToPageBut, &QToolButton::clicked, this, &TPreviewForm::GoToPage);
    // Also under other keyboard layouts; the key itself comes through handleKey.
    auto* print = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this);
    connect(print, &QShortcut::activated, this, &TPreviewForm::Print);
    connect(ui.ZoomBox, &QComboBox::currentIndexChanged, this, &TPreviewForm::LayoutPages);
    connect(ui.FitPageBut, &QToolButton::clicked, this, [this] { SetZoomItem(0); });
    connect(ui.FitWidthBut, &QToolButton::clicked, this, [this] { SetZoomItem(1); });
    connect(ui.RestoreStartPrintZoomBut, &QToolButton::clicked, this,
            &TPreviewForm::RestoreStartPrintScale);
    connect(ui.ZoomCursorPrintBut, &QToolButton::clicked, this,
            [this] { SetTool(Tool::PrintScale); });
    connect(ui.ZoomCursorBut, &QToolButton::clicked, this, [this] { SetTool(Tool::ViewZoom); });
    connect(ui.HandCursorBut, &QToolButton::clicked, this, [this] { SetTool(Tool::Hand); });
    connect(ui.OnePageBut, &QToolButton::clicked, this, [this] { SetTwoPages(false); });
    connect(ui.TwoPageBut, &QToolButton::clicked, this, [this] { SetTwoPages(true); });
    connect(ui.HelpBut, &QToolButton::clicked, this, &TPreviewForm::showHelp);
    connect(ui.CloseBut, &QToolButton::clicked, this, &QDialog::reject);

    connect(ui.MainToolbar, &QWidget::customContextMenuRequested, this,
            [this](QPoint point) { ui_.PopupMenu1->popup(ui_.MainToolbar->mapToGlobal(point)); });
    connect(ui.PageNumbersOnItem, &QAction::triggered, this, [this] { SetPageNumbers(true); });
    connect(ui.PageNumbersOffItem, &QAction::triggered, this, [this] { SetPageNumbers(false); });
    connect(ui.ButtonCaptionsItem, &QAction::triggered, this, &TPreviewForm::SetButtonCaptions);
    connect(ui.PrintBackgroundItem, &QAction::triggered, this, &TPreviewForm::SetPrintBackground);

    for (TPageView* view : {ui.PagePanel, ui.PagePanel2}) {
        connect(view, &TPageView::pressed, this, &TPreviewForm::pagePressed);
        connect(view, &TPageView::moved, this,
                [this](TPageView*, QPoint global, Qt::MouseButtons buttons) {
                    pageMoved(global, buttons);
                });
        connect(view, &TPageView::released, this, [this] { pageReleased(); });
    }
    ui.PagePanel->SetPicture(
        [this](double dotsPerInch) { return pages_.PageImage(currentPage_, dotsPerInch); });
    ui.PagePanel2->SetPicture([this](double dotsPerInch) {
        return currentPage_ + 1 < PageCount() ? pages_.PageImage(currentPage_ + 1, dotsPerInch)
                                              : QImage();
    });
}

// Keys typed anywhere in the window come here first.
bool TPreviewForm::handleKey(int key, Qt::KeyboardModifiers modifiers)
{
    const int last = PageCount() - 1;
    switch (key) {
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: {
        const int page = key == Qt::Key_PageUp     ? currentPage_ - 1
                         : key == Qt::Key_PageDown ? currentPage_ + 1
                         : key == Qt::Key_Home     ? 0
                                                   : last;
        ShowPage(std::clamp(page, 0, std::max(0, last)));
        UpdatePageButtons();
        return true;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
        scrollBy(key == Qt::Key_Left ? -kArrowStep : kArrowStep, 0);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        scrollBy(0, key == Qt::Key_Up ? -kArrowStep : kArrowStep);
        return true;
    case Qt::Key_P:
        if (modifiers & Qt::ControlModifier) {
            Print();
            return true;
        }
        return false;
    case Qt::Key_F1:
        showHelp();
        return true;
    default:
        return false;
    }
}

void TPreviewForm::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event->key(), event->modifiers())) {
        QDialog::keyPressEvent(event);
    }
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched != this && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (handleKey(key->key(), key->modifiers())) {
            return true;
        }
    } else if (event->type() == QEvent::Resize && watched == ui_.ScrollBox) {
        LayoutPages();
    }
    return QDialog::eventFilter(watched, event);
}

// The hint of the control under the mouse goes to the last status panel.
bool TPreviewForm::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        const auto* tip = static_cast<QStatusTipEvent*>(event);
        ui_.StatusPanels[TPreviewUi::StatusPanelCount - 1]->setText(QLatin1Char(' ') + tip->tip());
        return true;
    }
    return QDialog::event(event);
}

void TPreviewForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        LayoutPages();
        ShowPage(0);
        UpdatePageButtons();
    }
}

void TPreviewForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayoutPages();
}

void TPreviewForm::GoToPage()
{
    if (const std::optional<int> page = TGoPageForm::Ask(PageCount(), currentPage_, this)) {
        ShowPage(*page);
        UpdatePageButtons();
    }
}

void TPreviewForm::Print()
{
    if (working_) {
        return;
    }
    const QScopedValueRollback<bool> busy(working_, true);
    const int count = PageCount();
    if (!printerAvailable() || count < 1) {
        warn(kNoPrinter);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(pages_.Printer().pageLayout());
    const bool chosen = hooks_.ChoosePrinter ? hooks_.ChoosePrinter(printer, count, this) : [&] {
        QPrintDialog dialog(&printer, this);
        SetUpPrintDialog(dialog, count);
        return dialog.exec() == QDialog::Accepted;
    }();
    if (!chosen) {
        return;
    }
    int from = 1;
    int to = count;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::clamp(printer.fromPage(), 1, count);
        to = std::clamp(printer.toPage(), from, count);
    }
    TPrnStatusForm status(this);
    if (status.DoPrint(pages_.Printer(), printer, from - 1, to - 1) ==
        TPrnStatusForm::Outcome::Failed) {
        warn(kNoPrinter);
    }
}

void TPreviewForm::showHelp()
{
    if (hooks_.Help) {
        hooks_.Help();
    }
}

bool TPreviewForm::printerAvailable() const
{
    if (hooks_.PrinterAvailable) {
        return hooks_.PrinterAvailable();
    }
    return QPrinter(QPrinter::HighResolution).isValid();
}

void TPreviewForm::warn(const QString& text)
{
    if (hooks_.Warn) {
        hooks_.Warn(this, text);
    } else {
        QMessageBox::warning(this, windowTitle(), text);
    }
}

void SetUpPrintDialog(QPrintDialog& dialog, int pageCount)
{
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setMinMax(1, std::max(1, pageCount));
    dialog.setFromTo(1, std::max(1, pageCount));
}
