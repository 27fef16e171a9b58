#pragma once

#include <QWidget>

// The white panel behind the content of the second screen (left 33, top 90,
// 673 x 421, hidden until a screen shows it). Page panels and the contents
// tree are placed on it; its splitter bar separates the tree from the page.
class TPanelBkgrd : public QWidget {
    Q_OBJECT
public:
    explicit TPanelBkgrd(QWidget* window);

    QWidget* Splitter() const { return splitter_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* splitter_;
};
