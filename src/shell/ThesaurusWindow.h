#pragma once

#include "components/CommandHost.h"
#include "components/ComponentSet.h"

#include <QString>

// Opens the thesaurus window on the page of a word: a thesaurus instance
// that runs already is brought forward and told to open the page, otherwise
// a new instance starts on it ("tesaurus" and Shift+T).
class TThesaurusWindow {
public:
    TThesaurusWindow(TCommandHost& host, TComponentSet& components);

    void Open(const QString& word);

private:
    void SendToRunningWindow(TWindowHandle window, const QString& page);
    void StartInstance(const QString& page);

    TCommandHost& host_;
    TComponentSet& components_;
};
