#pragma once

#include "components/CommandHost.h"
#include "components/ComponentSet.h"

#include <QString>

// Help on the screen shown: the help file named by the interface description
// opens at a topic in the help viewer, whose window is then brought forward.
class THelpTopics {
public:
    THelpTopics(TCommandHost& host, TComponentSet& components);

    // F1 on the main window and the command "help": "Topic12" on the start
    // screen, "Topic13" on the content screen, nothing elsewhere.
    void ShowForScreen();
    // F1 in the print preview: "Topic18".
    void ShowForPrintPreview();
    void Show(const QString& topic);

private:
    void BringHelpWindowForward();

    TCommandHost& host_;
    TComponentSet& components_;
};
