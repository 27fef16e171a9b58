#include "shell/PictureStream.h"

#include "data/ReadBin.h"

TPictureStream::TPictureStream(const TReadBin& bin) : bin_(bin) {}

// An element without a picture name (a system button the description left
// out) has no pictures at all, rather than the picture read last.
QImage TPictureStream::Read(const QString& name)
{
    if (name.isEmpty()) {
        return QImage();
    }
    QByteArray entry;
    if (bin_.ReadToBuffer(name, entry) >= 0) {
        bytes_ = entry;
    }
    QImage picture = QImage::fromData(bytes_);
    if (!picture.isNull() && picture.format() != QImage::Format_RGB32) {
        picture = picture.convertToFormat(QImage::Format_RGB32);
    }
    return picture;
}
