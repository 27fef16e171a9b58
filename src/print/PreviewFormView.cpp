#include "print/PageView.h"
#include "print/PreviewArt.h"
#include "print/PreviewForm.h"
#include "print/PreviewZoom.h"

#include <QComboBox>
#include <QLabel>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int kPageEdge = PreviewZoom::ViewGap / 2;
constexpr int kLayoutPasses = 3;

} // namespace

// Asked again while it works (a resize on the way), it lays the sheets out
// once more, so that the last size counts; a few passes at most.
void TPreviewForm::LayoutPages()
{
    if (layingOut_) {
        layoutAgain_ = true;
        return;
    }
    const QScopedValueRollback<bool> busy(layingOut_, true);
    for (int pass = 0; pass < kLayoutPasses; ++pass) {
        layoutAgain_ = false;
        layoutOnce();
        if (!layoutAgain_) {
            break;
        }
    }
    layoutAgain_ = false;
}

void TPreviewForm::layoutOnce()
{
    const int item = ZoomItem();
    if (item <= PreviewZoom::FitWidth && TwoPages()) {
        ui_.OnePageBut->setChecked(true);
    }
    const QSizeF page = pages_.PaperInches() * TPreviewPages::ScreenDpi();
    const QSize view = viewRoom();
    if (item == PreviewZoom::FitPage) {
        viewZoom_ = PreviewZoom::FitPageZoom(page, view);
    } else if (item == PreviewZoom::FitWidth) {
        viewZoom_ = PreviewZoom::FitWidthZoom(page, view.width());
        if (page.height() * viewZoom_ + PreviewZoom::ViewGap > view.height()) {
            viewZoom_ = PreviewZoom::FitWidthZoom(page, view.width() - scrollBarRoom().width());
        }
    } else if (item != PreviewZoom::Manual) {
        viewZoom_ = PreviewZoom::FixedZoom(item);
    }
    placePages((page * viewZoom_).toSize().expandedTo(QSize(1, 1)), TwoPages());
    ui_.StatusPanels[1]->setText(QStringLiteral(" Масштаб просмотра: ") +
                                 PreviewZoom::Percent(viewZoom_) + QLatin1Char('%'));
    syncControls();
}

// The sheets are centred in the container, or lie 10 pixels from its edge
// when they are larger than the view.
void TPreviewForm::placePages(QSize pageSize, bool two)
{
    const QSize pages(two ? 2 * pageSize.width() + PreviewZoom::ViewGap : pageSize.width(),
                      pageSize.height());
    const QSize needed = pages + QSize(PreviewZoom::ViewGap, PreviewZoom::ViewGap);
    const QSize room = viewRoom();
    const QSize bars = scrollBarRoom();
    bool tall = needed.height() > room.height();
    const bool wide = needed.width() > room.width() - (tall ? bars.width() : 0);
    tall = tall || (wide && needed.height() > room.height() - bars.height());
    showScrollBars(tall, wide);
    const QSize view =
        (room - QSize(tall ? bars.width() : 0, wide ? bars.height() : 0)).expandedTo(QSize(0, 0));
    const int left = needed.width() > view.width() ? kPageEdge : (view.width() - pages.width()) / 2;
    const int top =
        needed.height() > view.height() ? kPageEdge : (view.height() - pages.height()) / 2;
    ui_.ContainPanel->resize(needed.expandedTo(view));
    const double paperWidth = pages_.PaperInches().width();
    ui_.PagePanel->setGeometry(QRect(QPoint(left, top), pageSize));
    ui_.PagePanel2->setGeometry(
        QRect(QPoint(left + pageSize.width() + PreviewZoom::ViewGap, top), pageSize));
    ui_.PagePanel->SetPaperWidth(paperWidth);
    ui_.PagePanel2->SetPaperWidth(paperWidth);
    ui_.PagePanel2->setVisible(two && currentPage_ + 1 < PageCount());
}

void TPreviewForm::showScrollBars(bool vertical, bool horizontal)
{
    ui_.ScrollBox->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);
    ui_.ScrollBox->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn
                                                           : Qt::ScrollBarAlwaysOff);
}

// The view of the scroll box without scroll bars, whether they are up or not
// (the scroll box's own maximum leaves out the bars that are always on).
QSize TPreviewForm::viewRoom() const
{
    const QScrollArea& box = *ui_.ScrollBox;
    const bool vertical = box.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
    const bool horizontal = box.horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
    return box.maximumViewportSize() +
           QSize(vertical ? box.verticalScrollBar()->sizeHint().width() : 0,
                 horizontal ? box.horizontalScrollBar()->sizeHint().height() : 0);
}

// The width of the vertical scroll bar and the height of the horizontal one,
// less what of them lies over the view.
QSize TPreviewForm::scrollBarRoom() const
{
    const auto room = [](const QScrollBar* bar, int extent) {
        return std::max(0, extent - bar->style()->pixelMetric(
                                        QStyle::PM_ScrollView_ScrollBarOverlap, nullptr, bar));
    };
    const QScrollBar* vertical = ui_.ScrollBox->verticalScrollBar();
    const QScrollBar* horizontal = ui_.ScrollBox->horizontalScrollBar();
    return QSize(room(vertical, vertical->sizeHint().width()),
                 room(horizontal, horizontal->sizeHint().height()));
}

void TPreviewForm::SetZoomItem(int item)
{
    {
        const QSignalBlocker blocker(ui_.ZoomBox);
        ui_.ZoomBox->setCurrentIndex(std::clamp(item, 0, PreviewZoom::ItemCount - 1));
    }
    LayoutPages();
}

// A fitted zoom (the whole sheet, its width) shows one sheet: the layout
// takes the two-sheet view back while one of them is chosen.
void TPreviewForm::SetTwoPages(bool on)
{
    if (on && PageCount() == 1) {
        on = false;
    }
    (on ? ui_.TwoPageBut : ui_.OnePageBut)->setChecked(true);
    LayoutPages();
    ShowPage(currentPage_);
}

void TPreviewForm::SetTool(Tool tool)
{
    tool_ = tool;
    QToolButton* button = tool == Tool::PrintScale ? ui_.ZoomCursorPrintBut
                          : tool == Tool::Hand     ? ui_.HandCursorBut
                                                   : ui_.ZoomCursorBut;
    button->setChecked(true);
    panning_ = false;
    applyToolCursor();
}

void TPreviewForm::applyToolCursor()
{
    using PreviewArt::Cursor;
    const Cursor cursor = tool_ == Tool::PrintScale ? Cursor::Zoom
                          : tool_ == Tool::Hand     ? Cursor::HandOpened
                                                    : Cursor::ZoomIn;
    for (TPageView* view : {ui_.PagePanel, ui_.PagePanel2}) {
        view->setCursor(PreviewArt::MakeCursor(cursor));
    }
}

void TPreviewForm::SetButtonCaptions(bool on)
{
    buttonCaptions_ = on;
    ui_.ShowCaptions(on);
    setMinimumSize(on ? QSize(600, 300) : QSize(300, 250));
    syncControls();
}

void TPreviewForm::ZoomView(bool enlarge, TPageView* view, QPoint point)
{
    const QPointF share(view->width() > 0 ? double(point.x()) / view->width() : 0.5,
                        view->height() > 0 ? double(point.y()) / view->height() : 0.5);
    viewZoom_ = PreviewZoom::NextViewZoom(viewZoom_, enlarge);
    {
        const QSignalBlocker blocker(ui_.ZoomBox);
        ui_.ZoomBox->setCurrentIndex(PreviewZoom::Manual);
    }
    LayoutPages();
    const QPoint target =
        view->pos() + QPoint(int(share.x() * view->width()), int(share.y() * view->height()));
    const QSize viewport = ui_.ScrollBox->viewport()->size();
    ui_.ScrollBox->horizontalScrollBar()->setValue(target.x() - viewport.width() / 2);
    ui_.ScrollBox->verticalScrollBar()->setValue(target.y() - viewport.height() / 2);
}

void TPreviewForm::pagePressed(TPageView* view, QPoint point, QPoint global, Qt::MouseButton button)
{
    if (button != Qt::LeftButton && button != Qt::RightButton) {
        return;
    }
    const bool enlarge = button == Qt::LeftButton;
    if (!enlarge && tool_ != Tool::Hand) {
        view->setCursor(PreviewArt::MakeCursor(PreviewArt::Cursor::ZoomOut));
    }
    switch (tool_) {
    case Tool::PrintScale:
        ZoomPrintScale(enlarge);
        break;
    case Tool::ViewZoom:
        ZoomView(enlarge, view, point);
        break;
    case Tool::Hand:
        if (enlarge) {
            panning_ = true;
            panStart_ = global;
            panScroll_ = QPoint(ui_.ScrollBox->horizontalScrollBar()->value(),
                                ui_.ScrollBox->verticalScrollBar()->value());
            view->setCursor(PreviewArt::MakeCursor(PreviewArt::Cursor::HandClosed));
        }
        break;
    }
}

void TPreviewForm::pageMoved(QPoint global, Qt::MouseButtons buttons)
{
    if (!panning_ || !(buttons & Qt::LeftButton)) {
        return;
    }
    const QPoint moved = global - panStart_;
    ui_.ScrollBox->horizontalScrollBar()->setValue(panScroll_.x() - moved.x());
    ui_.ScrollBox->verticalScrollBar()->setValue(panScroll_.y() - moved.y());
}

void TPreviewForm::pageReleased()
{
    panning_ = false;
    applyToolCursor();
}

void TPreviewForm::scrollBy(int dx, int dy)
{
    QScrollBar* horizontal = ui_.ScrollBox->horizontalScrollBar();
    QScrollBar* vertical = ui_.ScrollBox->verticalScrollBar();
    horizontal->setValue(horizontal->value() + dx);
    vertical->setValue(vertical->value() + dy);
}
