#pragma once

#include "data/DynamicArrays.h"

#include <QList>
#include <QPoint>
#include <QString>

// The element records the interface description fills, screen by screen.
// Numbers missing or unreadable in the description are -1; colours hold red
// in the low byte, then green, then blue.

// Font style flags, one bit each.
using TFontStyles = quint8;
enum : TFontStyles { StyleBold = 1, StyleItalic = 2, StyleUnderline = 4, StyleStrikeOut = 8 };
using TColor = quint32;

// A button (also the two system buttons).
struct RBtn {
    qint32 Left = -1, Top = -1;
    qint32 Right = -1, Bottom = -1; // from the size of the up picture
    QString Caption;
    qint32 TextLeft = -1, TextTop = -1, TextRight = -1, TextBottom = -1;
    QString FontName;
    qint32 FontSize = -1;
    TFontStyles StyleUp = 0, StyleMv = 0, StyleDn = 0;
    TColor ColorUp = 0, ColorMv = 0, ColorDn = 0;
    QString PicUp, PicMv, PicDn;
    QString Command;
    QString Hint;
    QString Sound;
};

// A single switch with two states.
struct RSwthOne {
    qint32 Left = -1, Top = -1, Right = -1, Bottom = -1;
    QString PicUp, PicMvUp, PicMvDn, PicDn;
    bool Store = false;
    QString CmdUp, CmdDown;
    QString Hint;
    QString Sound;
    bool Hover = false;
    bool State = false; // down (on)
    QString CaptionUp, CaptionDn;
    qint32 TextUpLeft = -1, TextUpTop = -1, TextUpRight = -1, TextUpBottom = -1;
    qint32 TextDnLeft = -1, TextDnTop = -1, TextDnRight = -1, TextDnBottom = -1;
    QString FontName;
    qint32 FontSize = -1;
    TFontStyles StyleUp = 0, StyleMvUp = 0, StyleMvDn = 0, StyleDn = 0;
    TColor ColorUp = 0, ColorMvUp = 0, ColorMvDn = 0, ColorDn = 0;
};

// A member of a switch group: exactly one member of a group is down.
struct RSwthGrp {
    qint32 Left = -1, Top = -1, Right = -1, Bottom = -1;
    QString PicUp, PicMvUp, PicMvDn, PicDn;
    bool Store = false;
    qint32 Group = -1;
    QString Command;
    QString Hint;
    QString Sound;
    bool Hover = false;
    bool State = false;
    QString CaptionUp, CaptionDn;
    qint32 TextLeft = -1, TextTop = -1, TextRight = -1, TextBottom = -1;
    QString FontName;
    qint32 FontSize = -1;
    TFontStyles StyleUp = 0, StyleMvUp = 0, StyleMvDn = 0, StyleDn = 0;
    TColor ColorUp = 0, ColorMvUp = 0, ColorMvDn = 0, ColorDn = 0;
};

// Rectangle records: Left/Top are the left and top edges, Right/Bottom the
// right and bottom edges.
struct RHTML {
    qint32 Left = -1, Top = -1, Right = -1, Bottom = -1;
    QString File;
    qint32 Number = -1;
    qint32 Screen = 0;
};

struct RFindTxt {
    qint32 Left = -1, Top = -1, Right = -1, Bottom = -1;
    QString Frame;
    TDynamicStringArray NoFiles;
    qint32 Number = -1;
    qint32 Screen = 0;
    QString Hint;
};

struct RPathInput {
    qint32 Left = -1, Top = -1, Right = -1, Bottom = -1;
    QString PathDef;
    qint32 Screen = 0;
    QString Hint;
};

struct RClip {
    qint32 Left = -1, Top = -1, Right = -1, Bottom = -1;
    TColor BgColor = 0;
    qint32 Html = -1;
    qint32 Screen = 0;
};

struct RText {
    qint32 Left = -1, Top = -1, Right = -1;
    QString Font;
    qint32 Size = -1;
    QString Style;
    TColor Color = 0;
    QString Value;
    qint32 Number = -1;
    qint32 Screen = 0;
    QString Ident;
};

struct RImage {
    qint32 Left = -1, Top = -1, Right = -1, Bottom = -1;
    QString Dir; // ends with a backslash
    qint32 Screen = 0;
};

// Popup menu kinds besides plain numbers.
enum : qint32 {
    PopupHistoryBack = -1,
    PopupHistoryForward = -2,
    PopupFavorite = -3,
    PopupContextHtml = -5
};

struct RPopupData {
    qint32 BackLeft = -1, BackTop = -1;
    QString BackPicture;
    qint32 ItemLeft = -1, ItemTop = -1;
    TDynamicStringArray ItemPicsUp, ItemPicsMove, ItemPicsDown;
    QString Font[2]; // up, move
    qint32 Size[2] = {-1, -1};
    QString Style[2];
    TColor Color[2] = {0, 0};
    TDynamicStringArray Captions;
    TDynamicStringArray Commands;
    QString Parent;
    qint32 Kind = -1;
    TDynamicStringArray Vertices;
};

using TDynamicBtnArray = QList<RBtn>;
using TDynamicSwthOneArray = QList<RSwthOne>;
using TDynamicSwthGrpArray = QList<RSwthGrp>;
using TDynamicPopupArray = QList<RPopupData>;
using TDynamicHTMLArray = QList<RHTML>;
using TDynamicFindTxtArray = QList<RFindTxt>;
using TDynamicPathInputArray = QList<RPathInput>;
using TDynamicClipArray = QList<RClip>;
using TDynamicTextArray = QList<RText>;
using TDynamicImageArray = QList<RImage>;
