#include "content/PopupWindow.h"

#include "interface/InterfaceParser.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QVariantAnimation>

namespace {

constexpr int kDefaultMargin = 5;
constexpr int kStartScreen = 0;
constexpr int kContentScreen = 1;

QString EntryOrFirst(const TDynamicStringArray& list, int index)
{
    return index < list.size() ? list.at(index) : list.value(0);
}

// Pictures are looked up in the resource container by their file names,
// whatever folder the description's value carries.
TItemsBtn::PictureReader ByFileName(const TItemsBtn::PictureReader& read)
{
    return [read](const QString& name) {
        const qsizetype cut =
            qMax(name.lastIndexOf(QLatin1Char('\\')), name.lastIndexOf(QLatin1Char('/')));
        return read ? read(name.mid(cut + 1)) : QImage();
    };
}

} // namespace

TPopupWindow::TPopupWindow(int recordIndex, const RPopupData& record,
                           const TItemsBtn::PictureReader& readPicture, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                              Qt::WindowDoesNotAcceptFocus),
      recordIndex_(recordIndex), record_(record), readPicture_(ByFileName(readPicture)),
      mainWindow_(mainWindow)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    const QImage picture = readPicture_ ? readPicture_(record.BackPicture) : QImage();
    if (!picture.isNull()) {
        original_ = picture.convertToFormat(QImage::Format_RGB32);
        picture_ = original_;
        resize(picture_.size());
    }
    fixedX_ = record.BackLeft;
    fixedY_ = record.BackTop;
    itemLeft_ = record.ItemLeft;
    topMargin_ = record.ItemTop;
    fixedHeight_ = record.Vertices.size() > 1;
}

TPopupWindow::~TPopupWindow() = default;

bool TPopupWindow::HasShownItem() const
{
    return std::any_of(items_.cbegin(), items_.cend(),
                       [](const auto& item) { return item->Shown; });
}

// Picture names (entry i, or entry 0 of a shorter list) and fonts of the record.
void TPopupWindow::PrepareItem(TItemsBtn& item, int index) const
{
    item.PictureNames[TItemsBtn::Up] = EntryOrFirst(record_.ItemPicsUp, index);
    item.PictureNames[TItemsBtn::Move] = EntryOrFirst(record_.ItemPicsMove, index);
    item.PictureNames[TItemsBtn::Down] = EntryOrFirst(record_.ItemPicsDown, index);
    for (int state = 0; state < 2; ++state) {
        item.ItemFonts[state] = {record_.Font[state], record_.Size[state], record_.Style[state],
                                 record_.Color[state]};
    }
    item.LoadItemPictures(readPicture_);
}

void TPopupWindow::SetItemCount(int count)
{
    count = qMax(0, count);
    while (int(items_.size()) > count) {
        items_.pop_back();
    }
    while (int(items_.size()) < count) {
        items_.push_back(std::make_unique<TItemsBtn>());
    }
    for (int index = 0; index < count; ++index) {
        TItemsBtn& item = *items_[size_t(index)];
        item.Command.clear();
        item.Hint.clear();
        item.ClearCaption();
        PrepareItem(item, index);
        SetShown(index, false);
    }
    Layout();
}

void TPopupWindow::AppendItem(const QString& caption, const QString& command)
{
    items_.push_back(std::make_unique<TItemsBtn>());
    TItemsBtn& item = *items_.back();
    item.Command = command;
    PrepareItem(item, int(items_.size()) - 1);
    item.SetCaption(caption, readPicture_);
    SetShown(int(items_.size()) - 1, true);
}

void TPopupWindow::SetItem(int index, const QString& caption, const QString& command)
{
    if (index < 0 || index >= ItemCount()) {
        return;
    }
    Item(index).SetCaption(caption, readPicture_);
    Item(index).Command = command;
    update();
}

void TPopupWindow::SetShown(int index, bool shown)
{
    if (index < 0 || index >= ItemCount() || Item(index).Shown == shown) {
        return;
    }
    TItemsBtn& item = Item(index);
    item.Shown = shown;
    if (!shown) {
        item.Placed = item.Hovered = item.Pressed = false;
    }
    Layout();
}

void TPopupWindow::DeleteItem(int index)
{
    if (index < 0 || index >= ItemCount()) {
        return;
    }
    for (int at = index; at + 1 < ItemCount(); ++at) {
        TItemsBtn& item = Item(at);
        const TItemsBtn& next = Item(at + 1);
        item.Command = next.Command;
        std::copy(std::begin(next.PictureNames), std::end(next.PictureNames),
                  std::begin(item.PictureNames));
        item.Pressed = next.Pressed;
        std::copy(std::begin(next.ItemFonts), std::end(next.ItemFonts), std::begin(item.ItemFonts));
        item.SetCaption(next.Caption(), readPicture_);
        item.Placed = false;
    }
    items_.pop_back();
    Layout();
    if (items_.empty()) {
        HidePopup();
    }
}

void TPopupWindow::Layout()
{
    const int margin = topMargin_ == -1 ? kDefaultMargin : topMargin_;
    bool unplace = false;
    for (auto& item : items_) {
        unplace = unplace || !item->Shown || !item->Placed;
        if (unplace) {
            item->Placed = false;
        }
    }
    int sum = 0;
    const TItemsBtn* last = nullptr;
    for (auto& item : items_) {
        if (!item->Placed && item->Shown) {
            const int left = itemLeft_ == -1 ? (width() - item->Bounds.width()) / 2 : itemLeft_;
            const int top = last ? last->Bounds.top() + last->Bounds.height() : margin;
            item->Bounds.moveTo(left, top);
            item->Placed = true;
        }
        if (item->Placed) {
            sum += item->Bounds.height();
            last = item.get();
        }
    }
    if (!fixedHeight_) {
        const int height = margin + sum + margin;
        ResizePicture(height);
        resize(width(), height);
    }
    update();
}

// The picture as loaded, grown by repeating its middle row above the bottom
// margin, or cut keeping that margin's rows at the bottom. Always made from
// the loaded picture: stretching the last result again would, after a
// shrink, repeat a row of the bottom margin instead of the middle.
void TPopupWindow::ResizePicture(int height)
{
    const int oldHeight = original_.height();
    if (original_.isNull() || height == picture_.height() || height <= 0) {
        return;
    }
    const int margin =
        qBound(0, topMargin_ == -1 ? kDefaultMargin : topMargin_, qMin(oldHeight, height) / 2);
    QImage resized(original_.width(), height, original_.format());
    const qsizetype rowBytes = original_.bytesPerLine();
    const auto copyRow = [&](int from, int to) {
        std::memcpy(resized.scanLine(to), original_.constScanLine(from), size_t(rowBytes));
    };
    for (int row = 0; row < height - margin; ++row) {
        copyRow(row < oldHeight - margin ? row : oldHeight / 2, row);
    }
    for (int row = 0; row < margin; ++row) {
        copyRow(oldHeight - margin + row, height - margin + row);
    }
    picture_ = resized;
}

// At most as many points as the window's own outline may have.
QPolygon TPopupWindow::Outline() const
{
    QPolygon outline;
    for (const QString& vertex : record_.Vertices) {
        if (outline.size() == MaxVertices) {
            break;
        }
        const qsizetype comma = vertex.indexOf(QLatin1Char(','));
        if (comma > 0) {
            outline << QPoint(vertex.left(comma).trimmed().toInt(),
                              vertex.mid(comma + 1).trimmed().toInt());
        }
    }
    return outline;
}

void TPopupWindow::ShowAt(QPoint point, int screen)
{
    QPoint at = point;
    if (fixedX_ != -1 && mainWindow_) {
        at.setX(mainWindow_->mapToGlobal(QPoint(fixedX_, 0)).x());
    }
    if (fixedY_ != -1 && mainWindow_) {
        at.setY(mainWindow_->mapToGlobal(QPoint(0, fixedY_)).y());
    }
    const QScreen* display = QGuiApplication::screenAt(point);
    const QRect desktop = (display ? display : QGuiApplication::primaryScreen())->geometry();
    if (at.y() + height() > desktop.bottom() + 1) {
        at.setY(desktop.bottom() + 1 - height());
    }
    if (at.x() + width() > desktop.right() + 1) {
        at.setX(desktop.right() + 1 - width());
    }
    at.setX(qMax(at.x(), desktop.left()));
    at.setY(qMax(at.y(), desktop.top()));
    move(at);
    if (screen == kStartScreen && record_.Vertices.size() > 0) {
        setMask(QRegion(Outline(), Qt::WindingFill));
        fixedHeight_ = record_.Vertices.size() > 1;
    } else {
        clearMask();
    }
    const bool slide = screen == kContentScreen &&
                       (!sinceLastShow_.isValid() || sinceLastShow_.elapsed() > kSlidePauseMs);
    show();
    raise();
    if (slide) {
        Slide(at.y() >= QCursor::pos().y());
    }
    update();
    sinceLastShow_.restart();
}

// The popup unrolls from its top edge (downwards) or its bottom edge.
void TPopupWindow::Slide(bool downwards)
{
    delete slide_;
    slide_ = new QVariantAnimation(this);
    slide_->setDuration(kSlideMs);
    slide_->setStartValue(0.0);
    slide_->setEndValue(1.0);
    connect(slide_, &QVariantAnimation::valueChanged, this, [this, downwards](const QVariant& v) {
        const int shown = qMax(1, int(height() * v.toDouble()));
        setMask(QRect(0, downwards ? 0 : height() - shown, width(), shown));
    });
    // The pause before the next slide counts from the end of this one.
    connect(slide_, &QVariantAnimation::finished, this, [this] {
        clearMask();
        sinceLastShow_.restart();
    });
    setMask(QRect(0, downwards ? 0 : height() - 1, width(), 1));
    slide_->start();
}

void TPopupWindow::HidePopup()
{
    for (auto& item : items_) {
        item->Hovered = item->Pressed = false;
    }
    deleteMode_ = false;
    if (slide_) {
        slide_->stop();
    }
    hide();
}

void TPopupWindow::RunItem(const QString& command, int index)
{
    if (onItem_) {
        onItem_(*this, command, index);
    }
}

void TPopupWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(rect(), palette().window());
    } else {
        painter.drawImage(0, 0, picture_);
    }
    for (const auto& item : items_) {
        if (item->Shown && item->Placed) {
            painter.drawImage(item->Bounds.topLeft(), item->Current());
        }
    }
}

// Strictly inside: the item's edges do not count.
int TPopupWindow::ItemAt(QPoint point) const
{
    for (int index = 0; index < int(items_.size()); ++index) {
        const TItemsBtn& item = *items_[size_t(index)];
        const QRect& box = item.Bounds;
        if (item.Shown && point.x() > box.left() && point.y() > box.top() &&
            point.x() < box.left() + box.width() && point.y() < box.top() + box.height()) {
            return index;
        }
    }
    return -1;
}

void TPopupWindow::mouseMoveEvent(QMouseEvent* event)
{
    const int under = ItemAt(event->position().toPoint());
    bool changed = false;
    for (int index = 0; index < int(items_.size()); ++index) {
        TItemsBtn& item = *items_[size_t(index)];
        const bool inside = index == under;
        if (item.Shown && inside && !item.Hovered) {
            item.Hovered = changed = true;
        } else if (item.Hovered && !inside) {
            item.Hovered = item.Pressed = false;
            changed = true;
        }
    }
    if (changed) {
        update();
    }
}

void TPopupWindow::mousePressEvent(QMouseEvent* event)
{
    const int index = ItemAt(event->position().toPoint());
    if (index < 0 || Item(index).Pressed) {
        return;
    }
    Item(index).Pressed = true;
    repaint();
    RunItem(Item(index).Command, index);
}

bool TPopupWindow::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int index = ItemAt(help->pos());
        if (index >= 0 && !Item(index).Hint.isEmpty()) {
            QToolTip::showText(help->globalPos(), Item(index).Hint, this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}
