#pragma once

#include "platform/WindowRegistry.h"

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

// What the print preview needs of the program around it. Each is optional;
// an empty one takes the default named.
struct TPreviewHooks {
    // The window's handle among the program's top-level windows, for the
    // message to a listening "Лумбарт" window. Without it no message goes.
    std::function<TWindowHandle(QWidget* window)> WindowHandleOf;
    // The main window's help (F1 and the help button). Without it, nothing.
    std::function<void()> Help;
    // Whether there is a printer to print to. Default: the system's default
    // printer, or the PDF output when the system has none.
    std::function<bool()> PrinterAvailable;
    // The print dialog for a printer and the page count: true to print, the
    // range and output chosen left in the printer. Default: the system dialog.
    std::function<bool(QPrinter& printer, int pageCount, QWidget* parent)> ChoosePrinter;
    // A warning box. Default: a message box.
    std::function<void(QWidget* parent, const QString& text)> Warn;
};
