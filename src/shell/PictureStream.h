#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class TReadBin;

// The one memory stream through which the interface pictures are read from the
// resource container. A name that is not in the container leaves the stream as
// it was, so the picture decoded is the one read last (the element's previous
// state, the previous element's last picture or the background).
class TPictureStream {
public:
    explicit TPictureStream(const TReadBin& bin);

    // The picture of the entry, or of the stream's previous contents; null when
    // the bytes are no picture. Pictures come in 32-bit RGB.
    QImage Read(const QString& name);
    const QByteArray& Bytes() const { return bytes_; }

private:
    const TReadBin& bin_;
    QByteArray bytes_;
};
