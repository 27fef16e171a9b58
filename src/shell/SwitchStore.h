#pragma once

#include "interface/InterfaceDescription.h"

#include <QString>

class Registry;

// The stored states of the switches whose "store" flag is set, as booleans
// under the settings key: "SwOne" or "SwGrp" followed by the screen and the
// switch index in decimal, without separator (screen 1, switch 12 and screen
// 11, switch 2 both give SwOne112).
QString SwitchValueName(const QString& prefix, int screen, int index);

// Creates the key when missing, clears every switch's hover flag and takes the
// stored state of each storing switch; a missing or unreadable value leaves
// the state of the interface description.
void RestoreSwitchStates(TInterfaceDescription& description, Registry& registry,
                         const QString& key);
// Writes the state of every storing switch; failures are ignored.
void StoreSwitchStates(const TInterfaceDescription& description, Registry& registry,
                       const QString& key);
