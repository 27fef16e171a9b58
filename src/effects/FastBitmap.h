#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;

// A 24-bit picture for the fade effects: three bytes per pixel, rows possibly padded, with
// direct access to the bytes of each row. A default-made bitmap is null (0 x 0).
class TFastBitmap {
public:
    TFastBitmap() = default;
    // A black picture of the given size; null when either side is not positive.
    TFastBitmap(int width, int height);
    // The picture converted to 24 bits.
    explicit TFastBitmap(const QImage& picture);

    bool isNull() const { return image_.isNull(); }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    QSize size() const { return image_.size(); }

    // Replaces the contents by a black picture of the given size.
    void resize(QSize size);
    // Frees the pixels; the bitmap becomes null.
    void clear() { image_ = QImage(); }

    // Loads a picture of any format, converted to 24 bits.
    void loadFrom(const QImage& picture);
    // Loads a picture into exactly the given size: cropped where it is larger, black where it
    // is smaller, black altogether when it is null. A high-density picture is first brought to
    // its nominal size.
    void loadFrom(const QImage& picture, QSize size);
    // Copies another bitmap of the same size; false (and nothing copied) otherwise.
    bool copyFrom(const TFastBitmap& other);

    // The bytes of a row: width() * 3 of them are used.
    uchar* row(int y) { return image_.scanLine(y); }
    const uchar* row(int y) const { return image_.constScanLine(y); }
    qsizetype usedBytesPerRow() const { return qsizetype(image_.width()) * 3; }

    // Draws the picture, or the given part of it, with its top-left corner at the point.
    void draw(QPainter& painter, QPoint at) const;
    void draw(QPainter& painter, QPoint at, const QRect& part) const;

    const QImage& image() const { return image_; }

private:
    QImage image_;
};
