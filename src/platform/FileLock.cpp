#include "platform/FileLock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLock::FileLock(const QString& lockFilePath) : path_(lockFilePath) {}

FileLock::~FileLock()
{
    unlock();
}

bool FileLock::open()
{
    if (fd_ >= 0) {
        return true;
    }
    fd_ = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    return fd_ >= 0;
}

bool FileLock::tryLock()
{
    if (locked_) {
        return true;
    }
    if (!open()) {
        return false;
    }
    int result = 0;
    do {
        result = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    locked_ = result == 0;
    return locked_;
}

bool FileLock::lock(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    int pauseMs = 1;
    while (!tryLock()) {
        if (fd_ < 0 || deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(pauseMs);
        pauseMs = qMin(pauseMs * 2, 20);
    }
    return true;
}

void FileLock::unlock()
{
    if (fd_ >= 0) {
        ::close(fd_); // closing the descriptor drops the lock
    }
    fd_ = -1;
    locked_ = false;
}
