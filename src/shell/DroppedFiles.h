#pragma once

#include "components/ComponentSet.h"

#include <QString>
#include <QStringList>
#include <initializer_list>

// Files dropped onto the main window: only the first counts. Its name, cut
// to 200 characters and lower-cased, decides by what it contains: pages,
// texts and pictures open in the page panel, RAR archives are listed, sounds
// play in the clip player; anything else is left alone.
class TDroppedFiles {
public:
    explicit TDroppedFiles(TComponentSet& components);

    // Virtual file names in the order of the drop.
    void Drop(const QStringList& files);

    static constexpr int MaxNameLength = 200;

private:
    static bool ContainsAny(const QString& name, std::initializer_list<const char*> words);

    TComponentSet& components_;
};
