#pragma once

#include <QString>

// The guard against a disc shipped with its sources: for each of Struct.txt,
// About.txt, Dialog.txt and Coder.exe beside the program one warning box is
// shown, in that order. True when any of them was found (the start-up then
// ends without showing anything).
bool CheckSourceFiles(const QString& appDir);
