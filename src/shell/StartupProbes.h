#pragma once

// Marks that test drivers and benchmarks wait for, each written once as a
// file named by an environment variable:
//   DISCSHELL_FIRST_FRAME  the first frame of the skinned window was painted;
//                          holds the wall-clock time in milliseconds since the epoch
//   DISCSHELL_INTRO_FRAME  the first picture of the intro clip was drawn; the
//                          same time
//   DISCSHELL_TEST_READY   the opening animation has ended; holds the window's
//                          frame geometry "x y width height"
void MarkFirstFrame();
void MarkIntroFrame();
void MarkReady(int x, int y, int width, int height);
