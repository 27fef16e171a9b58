#pragma once

#include <QByteArray>
#include <QVector>

// The sounds of the demo disc, synthesised: short soft clicks for buttons
// and switches, a farewell chime, and two calm background tunes. Every sound
// is 16-bit mono PCM, the same bytes on every build.
namespace Sounds {

constexpr int SampleRate = 22050;

QVector<float> click();
QVector<float> switchTick();
QVector<float> farewell();
QVector<float> theme(int variant);

// A WAV file (RIFF, PCM, 16-bit, mono) of samples in -1 .. 1.
QByteArray wav(const QVector<float>& samples);

} // namespace Sounds
