#pragma once

#include <QString>

// What the next and previous chapter steps need of the contents tree: its
// entries in display order, each with the page it refers to.
class IChapterTree {
public:
    virtual ~IChapterTree() = default;
    virtual int EntryCount() const = 0;
    // -1 when no entry is selected.
    virtual int SelectedEntry() const = 0;
    virtual QString PageReference(int entry) const = 0;
    // Marks the entry selected and scrolls it into view.
    virtual void SelectEntry(int entry) = 0;
    // Opens the page of the selected entry (nothing when it is shown already).
    virtual void OpenSelected() = 0;
};

// Selects the next (step 1) or previous (step -1) entry whose trimmed page
// reference is not empty and differs from the selected one's, or the first
// entry when none is selected, then opens the selection.
void StepChapter(IChapterTree& tree, int step);
