#pragma once

#include <QString>

class Registry;

// What the program entry hands to the main window: where the disc is and how
// the program was started.
struct TStartupContext {
    QString AppDir;      // virtual folder of Mev.dhl and interface.dat, with trailing backslash
    QString CdRoot;      // drive of AppDir, lower-cased, with backslash
    QString ProgramFile; // the program's own virtual file name
    QString RawCommandLine;
    int ArgumentCount = 0;     // arguments besides our own options
    Registry* Store = nullptr; // settings and switch states; the process's registry when null
    QString LockFolder;        // folder of the instance markers; the runtime folder when empty
};
