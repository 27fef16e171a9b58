#pragma once

#include "platform/WindowRegistry.h"

#include <QString>

// Help in the program's own viewer: the help file opens at the topic's anchor
// in another instance of the program in help mode, whose window is captioned
// "Помощь". A help window that is already open goes to the topic instead.
namespace HelpViewer {

// appDir: the disc's program folder; sender: the asking main window. A help
// file found neither on disk nor in the packed archive opens nothing.
void Show(const QString& appDir, TWindowHandle sender, const QString& helpFile,
          const QString& topic);

// The help file and its anchor as the viewer's command line names them.
QString PageOf(const QString& helpFile, const QString& topic);

} // namespace HelpViewer
