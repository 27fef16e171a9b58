#include "Sounds.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

// A sine tone with a quick attack and an exponential decay, mixed into out.
void bell(QVector<float>& out, double start, double frequency, double decay, double level)
{
    const int first = int(start * Sounds::SampleRate);
    const int length = std::min(int(out.size()) - first, int(decay * 6 * Sounds::SampleRate));
    for (int i = 0; i < length; ++i) {
        const double t = double(i) / Sounds::SampleRate;
        const double attack = std::min(1.0, t / 0.004);
        const double envelope = attack * std::exp(-t / decay);
        const double tone = std::sin(2 * Pi * frequency * t) +
                            0.35 * std::sin(2 * Pi * 2.01 * frequency * t) * std::exp(-t / 0.08);
        out[first + i] += float(level * envelope * tone);
    }
}

// A soft pad chord: slow swell and fade over its length.
void pad(QVector<float>& out, double start, double length, const QVector<double>& notes,
         double level)
{
    const int first = int(start * Sounds::SampleRate);
    const int count = std::min(int(out.size()) - first, int(length * Sounds::SampleRate));
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / Sounds::SampleRate;
        const double swell = std::sin(Pi * t / length);
        double value = 0;
        for (const double note : notes) {
            value += std::sin(2 * Pi * note * t) + 0.25 * std::sin(2 * Pi * note * 2 * t + 0.3);
        }
        out[first + i] += float(level * swell * swell * value / notes.size());
    }
}

double noteHz(int semitonesFromA4)
{
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

// Keeps the peak just under full scale and lets the last tail fade to
// silence, so that no sound ends in a click.
QVector<float> normalised(QVector<float> samples, float peak, double fadeSeconds)
{
    const int fade = std::min(int(samples.size()), int(fadeSeconds * Sounds::SampleRate));
    for (int i = 0; i < fade; ++i) {
        samples[samples.size() - 1 - i] *= float(i) / fade;
    }
    float highest = 0;
    for (const float value : samples) {
        highest = std::max(highest, std::abs(value));
    }
    if (highest > 0) {
        for (float& value : samples) {
            value *= peak / highest;
        }
    }
    return samples;
}

} // namespace

namespace Sounds {

QVector<float> click()
{
    QVector<float> samples(int(0.07 * SampleRate), 0.0f);
    bell(samples, 0, 1850, 0.012, 0.6);
    bell(samples, 0.002, 920, 0.02, 0.4);
    return normalised(samples, 0.5f, 0.01);
}

QVector<float> switchTick()
{
    QVector<float> samples(int(0.11 * SampleRate), 0.0f);
    bell(samples, 0, 1320, 0.014, 0.5);
    bell(samples, 0.035, 1980, 0.016, 0.45);
    return normalised(samples, 0.45f, 0.01);
}

QVector<float> farewell()
{
    QVector<float> samples(int(1.1 * SampleRate), 0.0f);
    bell(samples, 0.0, noteHz(7), 0.22, 0.5);   // E5
    bell(samples, 0.16, noteHz(3), 0.25, 0.45); // C5
    bell(samples, 0.32, noteHz(-2), 0.3, 0.5);  // G4
    return normalised(samples, 0.6f, 0.25);
}

QVector<float> theme(int variant)
{
    // Four chords of four seconds, a bell arpeggio over them.
    const QVector<QVector<int>> chords =
        variant == 0
            ? QVector<QVector<int>>{{-12, -9, -5}, {-16, -12, -9}, {-21, -17, -14}, {-14, -10, -7}}
            : QVector<QVector<int>>{
                  {-19, -16, -12}, {-23, -19, -16}, {-16, -12, -9}, {-21, -17, -14}};
    const double bar = variant == 0 ? 4.0 : 4.8;
    QVector<float> samples(int(chords.size() * bar * SampleRate + SampleRate), 0.0f);
    for (int c = 0; c < chords.size(); ++c) {
        QVector<double> notes;
        for (const int note : chords.at(c)) {
            notes.append(noteHz(note));
        }
        pad(samples, c * bar, bar + 0.8, notes, 0.5);
        for (int beat = 0; beat < 8; ++beat) {
            const int note = chords.at(c).at((beat * (variant == 0 ? 1 : 2)) % 3) + 12;
            const double level = beat % 4 == 0 ? 0.22 : 0.14;
            bell(samples, c * bar + beat * bar / 8, noteHz(note), 0.35, level);
        }
    }
    return normalised(samples, 0.7f, 0.6);
}

QByteArray wav(const QVector<float>& samples)
{
    const quint32 dataBytes = quint32(samples.size()) * 2;
    QByteArray bytes;
    auto put32 = [&bytes](quint32 value) {
        const quint32 little = qToLittleEndian(value);
        bytes.append(reinterpret_cast<const char*>(&little), 4);
    };
    auto put16 = [&bytes](quint16 value) {
        const quint16 little = qToLittleEndian(value);
        bytes.append(reinterpret_cast<const char*>(&little), 2);
    };
    bytes.append("RIFF");
    put32(36 + dataBytes);
    bytes.append("WAVEfmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(SampleRate);
    put32(SampleRate * 2);
    put16(2);
    put16(16);
    bytes.append("data");
    put32(dataBytes);
    for (const float value : samples) {
        const double clamped = std::clamp(double(value), -1.0, 1.0);
        put16(quint16(qint16(std::lround(clamped * 32767))));
    }
    return bytes;
}

} // namespace Sounds
