#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

// Encodes drawn frames into an AVI clip of JPEG pictures with GStreamer's
// own encoder and muxer, as a disc of that time carries its clips.
class ClipEncoder {
public:
    ClipEncoder(QSize size, int framesPerSecond);

    // frame(i) draws picture i of count, at the encoder's size.
    bool encode(const QString& path, int count, const std::function<QImage(int)>& frame);
    QString errorString() const { return error_; }

private:
    QSize size_;
    int framesPerSecond_;
    QString error_;
};
