#pragma once

#include <QCursor>
#include <QIcon>

// The pictures of the preview window, drawn by the program: the tool bar
// icons and the cursors of the zoom and hand tools.
namespace PreviewArt {

// The cursors by their resource numbers.
enum class Cursor { Zoom = 140, ZoomIn = 141, ZoomOut = 142, HandOpened = 143, HandClosed = 144 };

enum class Icon {
    Print,
    Orientation,
    FirstPage,
    PrevPage,
    NextPage,
    LastPage,
    GoToPage,
    FitPage,
    FitWidth,
    RestoreScale,
    PrintScaleTool,
    ZoomTool,
    HandTool,
    OnePage,
    TwoPages,
    Help,
    Close
};

QCursor MakeCursor(Cursor cursor);
QIcon MakeIcon(Icon icon);

} // namespace PreviewArt
