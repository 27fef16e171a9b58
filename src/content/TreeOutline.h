#pragma once

#include "data/DynamicArrays.h"

#include <QList>
#include <QString>

// One node of the contents outline, in file order.
struct TOutlineNode {
    int Parent = -1; // index of the parent node, -1 at the top level
    int Level = 0;   // 0 at the top level
    QString File;    // page file, blanks around it removed (may carry "#anchor")
    QString Caption;
};

// The outline of a contents file: every non-empty line is a node, its leading
// tabs its depth, then "file;caption" (anything after a second ";" ignored).
// A node is at most one level deeper than the node before it, whatever the
// number of tabs.
QList<TOutlineNode> BuildOutline(const TDynamicStringArray& lines);

// The depth, file and caption of one line.
TOutlineNode ParseOutlineLine(const QString& line);
