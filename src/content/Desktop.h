#pragma once

#include <QString>

class QWidget;

// What the links hand to the desktop: addresses for the browser or the mail
// program, and the desktop's save dialog.
namespace Desktop {

// Opens a URL as written with the desktop's default handler; false when
// nothing could start.
bool OpenUrl(const QString& url);

// A save dialog over virtual paths: it starts in folder (when it exists),
// proposes a name, and gives the chosen file as a virtual path, empty when
// cancelled. filter is in the "Text (*.x)|*.x|Text (*.*)|*.*" form.
QString AskSaveFileName(QWidget* parent, const QString& folder, const QString& proposedName,
                        const QString& filter);

// "Zip (*.zip)|*.zip|All (*.*)|*.*" as the file dialogs of Qt take it.
QString DialogFilterOf(const QString& filter);

} // namespace Desktop
