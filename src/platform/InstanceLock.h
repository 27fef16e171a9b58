#pragma once

#include "platform/FileLock.h"

#include <QString>
#include <memory>

// A named, process-wide marker that one running copy of the program holds, in
// place of a named semaphore: a lock file in the private runtime folder, held
// while the owner lives and released by the system when the process dies. The
// name is encoded into the file name, so any text (slashes, Cyrillic, dots)
// stays inside the runtime folder.
class InstanceLock {
public:
    explicit InstanceLock(const QString& name);
    InstanceLock(const QString& name, const QString& folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the marker; false when another holder has it (or the lock file
    // cannot be created), which the program treats as "already exists".
    bool Acquire();
    void Release();
    bool Held() const { return lock_ && lock_->isLocked(); }

    // Host path of the lock file for a name.
    static QString lockFilePath(const QString& name, const QString& folder);
    static QString lockFilePath(const QString& name);

private:
    QString path_;
    std::unique_ptr<FileLock> lock_;
};
