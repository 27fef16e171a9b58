#include "content/ChapterTree.h"

namespace {

// The first entry after start in the direction of step whose page differs
// from the page of start; start itself when the end comes first.
int NextChapterEntry(const IChapterTree& tree, int start, int step)
{
    const QString page = tree.PageReference(start).trimmed();
    for (int entry = start + step; entry >= 0 && entry < tree.EntryCount(); entry += step) {
        const QString candidate = tree.PageReference(entry).trimmed();
        if (!candidate.isEmpty() && candidate != page) {
            return entry;
        }
    }
    return start;
}

} // namespace

void StepChapter(IChapterTree& tree, int step)
{
    if (tree.EntryCount() <= 0) {
        return;
    }
    const int selected = tree.SelectedEntry();
    const bool hasSelection = selected >= 0 && selected < tree.EntryCount();
    tree.SelectEntry(hasSelection ? NextChapterEntry(tree, selected, step) : 0);
    tree.OpenSelected();
}
