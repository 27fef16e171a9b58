#pragma once

#include "interface/InterfaceDescription.h"

#include <QJsonObject>

// The interface description as one JSON object, the stable form that
// "disctool inspect struct" prints and outside checks read. Members are the
// record field names; font styles are flag sets (bold 1, italic 2,
// underline 4, strikeout 8), colours integers with red in the low byte,
// missing numbers -1. Right and Bottom of buttons and switches come from
// their pictures and are left out.
namespace DescriptionJson {

QJsonObject fromDescription(const TInterfaceDescription& description);

QJsonObject fromButton(const RBtn& button);
QJsonObject fromSwitch(const RSwthOne& item);
QJsonObject fromSwitchGroup(const RSwthGrp& item);
QJsonObject fromPopup(const RPopupData& popup);

} // namespace DescriptionJson
