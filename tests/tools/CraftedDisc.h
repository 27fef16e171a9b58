#pragma once

#include "TempDir.h"

#include <QString>
#include <QStringList>

// A small disc made for one test: an interface description and the pictures
// named, packed into disc/Mev.dhl with disctool itself.
class CraftedDisc {
public:
    // Writes the description source (UTF-8) and a small BMP-like entry for
    // each picture, then packs them. False when packing failed.
    bool make(const QString& structText, const QStringList& pictures);

    // The disc folder and its container.
    QString folder() const { return dir_.file(QStringLiteral("disc")); }
    QString container() const { return dir_.file(QStringLiteral("disc/Mev.dhl")); }

private:
    TempDir dir_;
};
