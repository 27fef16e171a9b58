#pragma once

#include "components/CommandHost.h"
#include "components/ComponentSet.h"
#include "shell/CommandTable.h"
#include "shell/HelpTopics.h"
#include "shell/ThesaurusWindow.h"

#include <QString>

// Performs a command of a button, switch, link, popup item, key or other
// instance: drops it while Busy() is set, closes the shell on "exit", plays
// the element's click sound and runs the first matching row of the command
// table. Element kinds: 0 button, 1 single switch, 2 switch group; silent 1
// marks requests of the program itself (no click sound).
class TCommandDispatcher {
public:
    TCommandDispatcher(TCommandHost& host, TComponentSet& components);

    void ExecuteCommand(QString& command, QString& sound, int index, int kind, int silent);

    THelpTopics& Help() { return help_; }
    TThesaurusWindow& Thesaurus() { return thesaurus_; }

private:
    void Exit(int index, int kind);
    void PlayClickSound(const QString& sound, int silent);

    TCommandHost& host_;
    TComponentSet& components_;
    THelpTopics help_;
    TThesaurusWindow thesaurus_;
    TCommandTable table_;
};
