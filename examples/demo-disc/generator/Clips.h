#pragma once

#include <QImage>
#include <QRect>

// The demo disc's video: the intro clip and the turning disc of the 3-D view
// on the start screen, with the stage the 3-D view plays on.
namespace Clips {

// The shell's fixed 3-D area on the start screen (31,135 to 687,394).
inline const QRect VideoArea(31, 135, 656, 259);
inline constexpr int FramesPerSecond = 15;
inline constexpr int IntroFrames = 45; // three seconds
inline constexpr int TurnFrames = 48;  // one turn of the disc, looped
inline const QSize IntroSize(320, 240);

// The stage of the 3-D area without the disc: "3d_bg.bmp".
QImage stage();
// The stage with the disc at rest: what the start screen shows in 2-D.
QImage stageAtRest();
// Picture i of the turning disc on the stage, at the area's size.
QImage turningFrame(int index);
// Picture i of the intro clip.
QImage introFrame(int index);

} // namespace Clips
