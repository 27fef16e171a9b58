#pragma once

#include "interface/InterfaceRecords.h"

#include <QList>
#include <QPoint>
#include <QString>

// Everything the interface description (Struct.cfs, decoded lower-cased)
// says: the global values of the first pass and the element records of the
// second, per screen (index 0 is the start screen).
struct TInterfaceDescription {
    // First pass.
    QString DiskTitle;
    QString CodecRequest;
    QString IntroClip;
    QString IntroBackdrop;
    qint32 HelpWinWidth = -1, HelpWinHeight = -1;
    QString HelpWinFile;
    QString Icon;
    TDynamicStringArray BgSoundDefault;
    QList<QPoint> WindowPolygon;
    bool HasWindowPolygon = false;
    // False once a vertex was no number pair: the start-up stops there.
    bool WindowPolygonValid = true;
    RBtn MinimizeButton;
    RBtn CloseButton;

    // Second pass: per screen.
    TDynamicStringArray ScreenBackgrounds;
    QList<TDynamicBtnArray> Buttons;
    QList<TDynamicSwthOneArray> Switches;
    QList<TDynamicSwthGrpArray> SwitchGroups;
    QList<TDynamicPopupArray> Popups;
    // Second pass: one array per kind, each record holding its screen.
    TDynamicHTMLArray Html;
    TDynamicFindTxtArray FindTxt;
    TDynamicPathInputArray PathInput;
    TDynamicClipArray Clips;
    TDynamicTextArray Texts;
    TDynamicImageArray Images;

    int screenCount() const { return int(Buttons.size()); }
};
