#pragma once

#include <QString>

// An exclusive lock on a separate lock file (flock on an open file
// description), shared by our processes. The lock goes with the open file: it
// is released by unlock(), by the destructor, or by the system when the
// process dies, so a crashed holder never blocks the others. The descriptor is
// not inherited by programs we start.
class FileLock {
public:
    explicit FileLock(const QString& lockFilePath);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits up to the timeout for the lock; false when the lock file cannot be
    // created or another holder keeps it longer.
    bool lock(int timeoutMs = 10000);
    // Takes the lock only when it is free now.
    bool tryLock();
    void unlock();
    bool isLocked() const { return locked_; }
    const QString& path() const { return path_; }

private:
    bool open();

    QString path_;
    int fd_ = -1;
    bool locked_ = false;
};
