#include "platform/InstanceLock.h"

#include "platform/VirtualFs.h"

#include <QCryptographicHash>

InstanceLock::InstanceLock(const QString& name) : InstanceLock(name, VirtualFs::runtimeFolder()) {}

InstanceLock::InstanceLock(const QString& name, const QString& folder)
    : path_(lockFilePath(name, folder))
{
}

InstanceLock::~InstanceLock()
{
    Release();
}

bool InstanceLock::Acquire()
{
    if (!lock_) {
        lock_ = std::make_unique<FileLock>(path_);
    }
    return lock_->tryLock();
}

void InstanceLock::Release()
{
    lock_.reset();
}

// Names are case-sensitive like semaphore names; letters and digits of ASCII
// stay readable, every other byte of the UTF-8 form is written as two hex
// digits; a long name keeps a readable start and a digest of the whole.
QString InstanceLock::lockFilePath(const QString& name, const QString& folder)
{
    QString encoded;
    for (const char byte : name.toUtf8()) {
        const uchar c = uchar(byte);
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        encoded += plain ? QString(QChar(c)) : QStringLiteral("_%1").arg(c, 2, 16, QChar('0'));
    }
    if (encoded.size() > 160) {
        const QByteArray digest = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1);
        encoded = encoded.left(120) + QLatin1Char('-') + QString::fromLatin1(digest.toHex());
    }
    return folder + QStringLiteral("/instance-") + encoded + QStringLiteral(".lock");
}

QString InstanceLock::lockFilePath(const QString& name)
{
    return lockFilePath(name, VirtualFs::runtimeFolder());
}
