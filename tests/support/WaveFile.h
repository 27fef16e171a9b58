#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <cmath>

// A mono 16-bit PCM wave file with a 440 Hz tone of the given length.
inline QByteArray WaveFile(int milliseconds)
{
    constexpr quint32 rate = 8000;
    const quint32 samples = rate * quint32(milliseconds) / 1000;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << rate * 2 << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(samples * 2);
    for (quint32 i = 0; i < samples; ++i) {
        out << qint16(8000 * std::sin(2 * M_PI * 440 * i / rate));
    }
    return bytes;
}
