#pragma once

#include <QString>
#include <functional>

// The plain message boxes of the start-up (one OK button). Tests pre-answer
// them through the handler instead of blocking on a modal box.
using TMessageBoxHandler = std::function<void(const QString& caption, const QString& text)>;

void ShowWarningBox(const QString& caption, const QString& text);
// An empty handler brings back the real message box.
void SetMessageBoxHandler(TMessageBoxHandler handler);
