#include "print/PreviewForm.h"

#include "platform/Instances.h"
#include "print/PageView.h"
#include "print/PreviewZoom.h"
#include "print/PrintStatusForm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QToolButton>

namespace {

// A window of that caption listens for the previews that open.
const QString kListenerCaption = QStringLiteral("Лумбарт");

} // namespace

TPreviewForm::TPreviewForm(QWidget* owner, THtmlViewer& viewer, TPreviewHooks hooks)
    : QDialog(owner), hooks_(std::move(hooks)), pages_(viewer)
{
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("Предварительный просмотр"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    ui_.Build(*this);
    connectControls();
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
    ui_.ScrollBox->viewport()->installEventFilter(this);
}

TPreviewForm::~TPreviewForm() = default;

std::unique_ptr<TPreviewForm> TPreviewForm::Create(QWidget* owner, THtmlViewer& viewer,
                                                   bool picture, QSize pictureSize,
                                                   TPreviewHooks hooks)
{
    std::unique_ptr<TPreviewForm> form(new TPreviewForm(owner, viewer, std::move(hooks)));
    if (!form->open(picture, pictureSize)) {
        return nullptr;
    }
    return form;
}

bool TPreviewForm::open(bool picture, QSize pictureSize)
{
    announceToListener();
    ui_.ZoomBox->setCurrentIndex(PreviewZoom::FitPage);
    SetTool(Tool::ViewZoom);
    pages_.Printer().setPrintBackground(true);
    if (!printerAvailable()) {
        return false;
    }
    pages_.TakePaperOf(QPrinter(QPrinter::HighResolution));
    printScale_ = 1.0f;
    if (picture && pictureSize.width() != 0 && pictureSize.height() != 0) {
        fitPictureScale(pictureSize);
    }
    startPrintScale_ = printScale_;
    if (!repaginate()) {
        return false;
    }
    setWindowIcon(QApplication::windowIcon());
    SetButtonCaptions(false);
    syncControls();
    setWindowState(windowState() | Qt::WindowMaximized);
    return true;
}

void TPreviewForm::announceToListener()
{
    const auto listener = Instances::FindWindowByCaption(kListenerCaption);
    if (listener && hooks_.WindowHandleOf) {
        if (const TWindowHandle own = hooks_.WindowHandleOf(this)) {
            Instances::PostMessage(*listener, InstanceMessageId::PageShown, own, 0);
        }
    }
}

void TPreviewForm::fitPictureScale(QSize picture)
{
    const PreviewZoom::PictureFit fit = PreviewZoom::FitPictureScale(
        pages_.PictureRoom(picture), pages_.DocumentArea(QPageLayout::Portrait),
        pages_.DocumentArea(QPageLayout::Landscape), pages_.Orientation());
    pages_.SetOrientation(fit.orientation);
    printScale_ = std::min(fit.scale, 1.0f);
}

// A layout asked for while a layout or a print runs is refused: the pages
// stay as they are under the running one.
bool TPreviewForm::repaginate()
{
    if (working_) {
        return false;
    }
    const QScopedValueRollback<bool> busy(working_, true);
    TPrnStatusForm status(isVisible() ? this : parentWidget());
    return status.DoPreview(pages_, printScale_);
}

void TPreviewForm::changeLayout(const std::function<void()>& change,
                                const std::function<void()>& undo)
{
    if (working_) {
        return;
    }
    change();
    if (repaginate()) {
        LayoutPages();
        ShowPage(std::min(currentPage_, PageCount() - 1));
        UpdatePageButtons();
    } else {
        undo();
    }
    syncControls();
}

void TPreviewForm::ShowPage(int page)
{
    currentPage_ = std::clamp(page, 0, std::max(0, PageCount() - 1));
    ui_.StatusPanels[0]->setText(
        QStringLiteral("Страница %1 из %2").arg(currentPage_ + 1).arg(PageCount()));
    ui_.PagePanel2->setVisible(TwoPages() && currentPage_ + 1 < PageCount());
    ui_.PagePanel->update();
    ui_.PagePanel2->update();
}

void TPreviewForm::UpdatePageButtons()
{
    const bool hasNext = currentPage_ + 1 < PageCount();
    const bool hasPrevious = currentPage_ > 0;
    ui_.NextPageBut->setEnabled(hasNext);
    ui_.LastPageBut->setEnabled(hasNext);
    ui_.PrevPageBut->setEnabled(hasPrevious);
    ui_.FirstPageBut->setEnabled(hasPrevious);
    ui_.GoToPageBut->setEnabled(PageCount() > 1);
    if (PageCount() == 1 && TwoPages()) {
        SetTwoPages(false);
    }
    ui_.TwoPageBut->setEnabled(PageCount() != 1);
}

void TPreviewForm::ToggleOrientation()
{
    const QPageLayout::Orientation old = pages_.Orientation();
    const QPageLayout::Orientation next =
        old == QPageLayout::Landscape ? QPageLayout::Portrait : QPageLayout::Landscape;
    changeLayout([this, next] { pages_.SetOrientation(next); },
                 [this, old] { pages_.SetOrientation(old); });
}

void TPreviewForm::SetPageNumbers(bool on)
{
    THtmlPagePrinter& printer = pages_.Printer();
    if (printer.pageNumbers() != on) {
        changeLayout([&printer, on] { printer.setPageNumbers(on); },
                     [&printer, on] { printer.setPageNumbers(!on); });
    }
    syncControls();
}

void TPreviewForm::SetPrintBackground(bool on)
{
    THtmlPagePrinter& printer = pages_.Printer();
    if (printer.printBackground() != on) {
        changeLayout([&printer, on] { printer.setPrintBackground(on); },
                     [&printer, on] { printer.setPrintBackground(!on); });
    }
    syncControls();
}

void TPreviewForm::RestoreStartPrintScale()
{
    const float old = printScale_;
    if (old != startPrintScale_) {
        changeLayout([this] { printScale_ = startPrintScale_; },
                     [this, old] { printScale_ = old; });
    }
}

void TPreviewForm::ZoomPrintScale(bool enlarge)
{
    const float old = printScale_;
    const float next = PreviewZoom::NextPrintScale(old, enlarge);
    if (next != old) {
        changeLayout([this, next] { printScale_ = next; }, [this, old] { printScale_ = old; });
    }
}

// Puts the controls in line with the printer's settings and the window's state.
void TPreviewForm::syncControls()
{
    const THtmlPagePrinter& printer = pages_.Printer();
    ui_.PageOrientationBut->setChecked(pages_.Orientation() == QPageLayout::Landscape);
    ui_.PageNumbersOnItem->setChecked(printer.pageNumbers());
    ui_.PageNumbersOffItem->setChecked(!printer.pageNumbers());
    ui_.PrintBackgroundItem->setChecked(printer.printBackground());
    ui_.ButtonCaptionsItem->setChecked(buttonCaptions_);
    ui_.StatusPanels[2]->setText(QStringLiteral(" Масштаб печати: ") +
                                 PreviewZoom::Percent(printScale_) + QLatin1Char('%'));
}

int TPreviewForm::ZoomItem() const
{
    return ui_.ZoomBox->currentIndex();
}

bool TPreviewForm::TwoPages() const
{
    return ui_.TwoPageBut->isChecked();
}

QString TPreviewForm::StatusText(int panel) const
{
    if (panel < 0 || panel >= TPreviewUi::StatusPanelCount) {
        return QString();
    }
    return ui_.StatusPanels[std::size_t(panel)]->text();
}

void ShowPrintPreview(THtmlViewer& viewer, bool picture, QSize pictureSize, QWidget* parent,
                      const TPreviewHooks& hooks)
{
    try {
        if (std::unique_ptr<TPreviewForm> preview =
                TPreviewForm::Create(parent, viewer, picture, pictureSize, hooks)) {
            preview->exec();
        }
    } catch (...) {
        // A preview that fails simply does not appear.
    }
}
