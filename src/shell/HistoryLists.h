#pragma once

#include <QStringList>

class IPopupController;

// The back (-1) and forward (-2) popup lists of a viewer's history: eight
// slots each, "history=N" items captioned with the page titles. Back lists
// the pages one step back first; forward shows, top to bottom, the page one
// step forward down to the one furthest forward, in its last slots.
namespace HistoryLists {

constexpr int kSlots = 8;
constexpr int kCaptionLength = 80;

// titles: newest first; index: the entry shown.
void Fill(IPopupController& popups, const QStringList& titles, int index);
QString Caption(const QString& title);

} // namespace HistoryLists
