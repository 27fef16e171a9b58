#pragma once

#include "content/ItemsBtn.h"

#include <QElapsedTimer>
#include <QPolygon>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QVariantAnimation;

// One skinned popup menu: a background picture that stretches as items come
// and go, and a column of picture items. It never takes the focus; a press
// on an item runs the item through the handler its controller gives it.
class TPopupWindow : public QWidget {
    Q_OBJECT
public:
    using ItemHandler = std::function<void(TPopupWindow& popup, const QString& command, int index)>;
    static constexpr int kSlideMs = 100;
    static constexpr int kSlidePauseMs = 250;

    TPopupWindow(int recordIndex, const RPopupData& record,
                 const TItemsBtn::PictureReader& readPicture, QWidget* mainWindow);
    ~TPopupWindow() override;

    int RecordIndex() const { return recordIndex_; }
    int Kind() const { return record_.Kind; }
    bool FixedHeight() const { return fixedHeight_; }
    bool DeleteMode() const { return deleteMode_; }
    void SetDeleteMode(bool on) { deleteMode_ = on; }
    void SetItemHandler(ItemHandler handler) { onItem_ = std::move(handler); }
    const QImage& Picture() const { return picture_; }

    // Items.
    int ItemCount() const { return int(items_.size()); }
    TItemsBtn& Item(int index) { return *items_[size_t(index)]; }
    bool HasShownItem() const;
    void SetItemCount(int count);
    void AppendItem(const QString& caption, const QString& command);
    void SetItem(int index, const QString& caption, const QString& command);
    void SetShown(int index, bool shown);
    void DeleteItem(int index);

    void Layout();
    // point in screen coordinates; screen is the window's current screen.
    void ShowAt(QPoint point, int screen);
    void HidePopup();
    void RunItem(const QString& command, int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void PrepareItem(TItemsBtn& item, int index) const;
    void ResizePicture(int height);
    QPolygon Outline() const;
    int ItemAt(QPoint point) const;
    void Slide(bool downwards);

    int recordIndex_;
    RPopupData record_;
    TItemsBtn::PictureReader readPicture_;
    QWidget* mainWindow_;
    QImage original_; // as loaded
    QImage picture_;  // fitted to the items
    std::vector<std::unique_ptr<TItemsBtn>> items_;
    ItemHandler onItem_;
    int fixedX_ = -1;
    int fixedY_ = -1;
    int itemLeft_ = -1;
    int topMargin_ = -1;
    bool fixedHeight_ = false;
    bool deleteMode_ = false;
    QElapsedTimer sinceLastShow_;
    QVariantAnimation* slide_ = nullptr;
};
