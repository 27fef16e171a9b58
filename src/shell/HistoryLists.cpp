#include "shell/HistoryLists.h"

#include "components/ContentComponents.h"
#include "interface/InterfaceRecords.h"

namespace HistoryLists {

namespace {

void SetSlot(IPopupController& popups, int type, int slot, const QStringList& titles, int entry)
{
    popups.SetItem(Caption(titles.at(entry)), QStringLiteral("history=%1").arg(entry), type, slot);
    popups.ShowItem(true, type, slot);
}

} // namespace

QString Caption(const QString& title)
{
    return title.isEmpty() ? QStringLiteral("Без названия") : title.left(kCaptionLength);
}

void Fill(IPopupController& popups, const QStringList& titles, int index)
{
    int slot = 0;
    for (int entry = 0; entry < titles.size(); ++entry) {
        if (entry > index && entry <= index + kSlots) {
            SetSlot(popups, PopupHistoryBack, slot++, titles, entry);
        }
    }
    for (; slot < kSlots; ++slot) {
        popups.ShowItem(false, PopupHistoryBack, slot);
    }
    int placed = 0;
    for (int entry = 0; entry < titles.size(); ++entry) {
        if (entry >= index - kSlots && entry < index) {
            SetSlot(popups, PopupHistoryForward, kSlots - 1 - placed++, titles, entry);
        }
    }
    for (slot = 0; slot <= kSlots - 1 - placed; ++slot) {
        popups.ShowItem(false, PopupHistoryForward, slot);
    }
}

} // namespace HistoryLists
