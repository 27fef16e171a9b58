#pragma once

#include "components/CommandHost.h"
#include "components/ComponentSet.h"

#include <Qt>

class THelpTopics;
class TThesaurusWindow;

// Where a key was pressed: the main window (keys typed anywhere in it) or the
// print preview, which passes its keys on.
enum class TKeySender { MainWindow, PrintPreview };

// The keyboard map of the main window. Modifiers are compared as a whole:
// Shift means Shift alone, Ctrl+Shift those two and no other.
class TKeyMap {
public:
    TKeyMap(TCommandHost& host, TComponentSet& components, THelpTopics& help,
            TThesaurusWindow& thesaurus);

    // True when the key is consumed and goes no further.
    bool FormKeyDown(TKeySender sender, int key, Qt::KeyboardModifiers shift);

    static Qt::KeyboardModifiers Exact(Qt::KeyboardModifiers shift);

private:
    void Escape();
    void Help(TKeySender sender);
    bool ContentKey(int key, Qt::KeyboardModifiers shift);
    bool ShiftKey(int key);
    void ControlKey(int key);
    void PressSwitchesWithCommand(const QString& command);
    void RunSilently(const QString& command);

    TCommandHost& host_;
    TComponentSet& components_;
    THelpTopics& help_;
    TThesaurusWindow& thesaurus_;
};
