#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>

// One picture area of the slide show: a child of the main window that draws its picture at
// the natural size, centred and clipped by the area, never stretched. Mouse moves over it end
// the hover states of the window's buttons.
class TSlidePicture : public QWidget {
public:
    TSlidePicture(QWidget* parent, std::function<void()> mouseMoved);

    // Loads a bitmap or JPEG picture file of a virtual path. A file that cannot be read or
    // decoded leaves the picture shown before.
    bool LoadFromFile(const QString& virtualPath);
    bool HasPicture() const { return !picture_.isNull(); }
    const QImage& Picture() const { return picture_; }

    // Picture files larger than this are not read.
    static constexpr qint64 maxFileBytes = 64 * 1024 * 1024;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    std::function<void()> mouseMoved_;
};
