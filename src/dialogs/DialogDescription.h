#pragma once

#include "data/DynamicArrays.h"
#include "interface/InterfaceRecords.h"

#include <QList>
#include <QString>
#include <optional>

// A button of the skinned dialog: the interface's button record and its
// alignment, which says how far it follows a window widened by a long
// message ("left": not at all, "middle": half, anything else: fully).
struct RDialogButton : RBtn {
    QString Align;
};

// The text area of a dialog page; Right is the area's right edge.
struct RDialogText {
    qint32 Left = -1, Top = -1, Right = -1;
    QString Font;
    qint32 Size = -1;
    QString Style;
    TColor Color = 0;
};

struct TDialogPage {
    QString Picture;
    std::optional<RDialogText> Text;
    QList<RDialogButton> Buttons;
    QList<RSwthGrp> Switches;
};

// The pages of the skinned dialog read from the decoded lines of its
// description: each element starts at a line holding its marker
// ("_picture", "_text", "_button", "switchgrp", tested in this order), its
// page is the first number of that line minus one, and its keys follow by
// the scanning rule of the interface description. Elements that lack a key
// or name no page are left out.
QList<TDialogPage> ReadDialogDescription(const TDynamicStringArray& lines);

// The first decimal number in a line, -1 when there is none.
int FirstNumberIn(const QString& line);
