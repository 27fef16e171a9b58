#pragma once

#include <QLayout>
#include <QList>

// Lays its items out left to right and wraps them onto further rows when the
// width runs out, like a tool bar that wraps.
class TFlowLayout : public QLayout {
public:
    explicit TFlowLayout(QWidget* parent = nullptr, int spacing = 2);
    ~TFlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return int(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in the rectangle (only measures unless apply); the
    // height used.
    int arrange(const QRect& rect, bool apply) const;

    QList<QLayoutItem*> items_;
};
