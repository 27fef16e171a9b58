#pragma once

#include "interface/InterfaceRecords.h"
#include "interface/InterfaceScanner.h"

#include <span>

// The keys of every section of the interface description, in reading order,
// and the record fields they fill.
namespace InterfaceKeys {

template <typename R> using Rules = std::span<const TKeyRule<R>>;

// The help window of the first pass.
struct RHelpWin {
    qint32 Width = -1, Height = -1;
    QString File;
};

Rules<RBtn> ButtonRequired();
Rules<RBtn> ButtonOptional();
// The minimise and close buttons of the first pass: no command, no text keys.
Rules<RBtn> SystemButtonRequired();
Rules<RHelpWin> HelpWinRequired();
Rules<RSwthOne> SwitchRequired();
Rules<RSwthOne> SwitchOptional();
Rules<RSwthGrp> SwitchGroupRequired();
Rules<RSwthGrp> SwitchGroupOptional();
Rules<RHTML> HtmlRequired();
Rules<RFindTxt> FindTxtRequired();
Rules<RPathInput> PathInputRequired();
Rules<RClip> ClipRequired();
Rules<RText> TextRequired();
Rules<RImage> ImageRequired();
Rules<RPopupData> PopupRequired();

// The popup kind of a "type" value: the words historyback, historyforward,
// favorite and contexthtml, otherwise the number (or -1).
qint32 PopupKind(const TKeyValue& value);
// A picture-area folder: made to end in a backslash, then path-expanded.
QString ImageFolder(const QString& value);

} // namespace InterfaceKeys
