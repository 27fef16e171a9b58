#pragma once

#include "search/index/IndexMessages.h"

#include <QString>

// The index readers' messages as the shell shows them: a plain message box
// with an OK button, or a warning box with an OK button.
class IndexMessageBox {
public:
    // Shows one message modally.
    static void Show(IndexMessageKind kind, const QString& text);
    // Makes Show the process-wide handler of index messages.
    static void Install();
};
