#include "platform/InstanceLock.h"

#include "TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

TEST(InstanceLockTest, ASecondHolderOfTheSameNameIsRefusedUntilTheFirstLetsGo)
{
    TempDir folder;
    InstanceLock first(QStringLiteral("Демонстрационный диск"), folder.path());
    InstanceLock second(QStringLiteral("Демонстрационный диск"), folder.path());
    InstanceLock other(QStringLiteral("Другой диск"), folder.path());
    EXPECT_TRUE(first.Acquire());
    EXPECT_FALSE(second.Acquire());
    EXPECT_TRUE(other.Acquire());
    first.Release();
    EXPECT_TRUE(second.Acquire());
}

TEST(InstanceLockTest, HostileNamesStayInsideTheFolder)
{
    TempDir folder;
    for (const QString& name : {QStringLiteral("../../etc/x"), QStringLiteral("a/b\\c"),
                                QStringLiteral(".."), QString(), QString(600, QChar(0x0416))}) {
        const QString path = InstanceLock::lockFilePath(name, folder.path());
        EXPECT_EQ(QFileInfo(path).absolutePath(), QDir(folder.path()).absolutePath())
            << qPrintable(name);
        EXPECT_LT(QFileInfo(path).fileName().size(), 255);
        InstanceLock lock(name, folder.path());
        EXPECT_TRUE(lock.Acquire()) << qPrintable(name);
    }
    EXPECT_NE(InstanceLock::lockFilePath(QStringLiteral("Диск"), folder.path()),
              InstanceLock::lockFilePath(QStringLiteral("диск"), folder.path()))
        << "names are case-sensitive";
    EXPECT_NE(InstanceLock::lockFilePath(QString(600, QLatin1Char('a')), folder.path()),
              InstanceLock::lockFilePath(QString(601, QLatin1Char('a')), folder.path()));
}

// Another process holds the marker through the same kind of lock (flock(1) on
// a descriptor the process keeps); when it dies the marker is free again.
TEST(InstanceLockTest, TheMarkerIsFreedWhenItsProcessDies)
{
    TempDir folder;
    const QString path = InstanceLock::lockFilePath(QStringLiteral("Диск"), folder.path());
    QProcess holder;
    holder.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"),
                  QStringLiteral("exec 9>\"$0\"; flock -n 9 && echo held && exec sleep 30"), path});
    ASSERT_TRUE(holder.waitForReadyRead(5000)) << "flock(1) is needed for this test";
    EXPECT_EQ(holder.readAllStandardOutput().trimmed(), QByteArray("held"));

    InstanceLock lock(QStringLiteral("Диск"), folder.path());
    EXPECT_FALSE(lock.Acquire());
    holder.kill();
    holder.waitForFinished(5000);
    EXPECT_TRUE(lock.Acquire());
}

} // namespace
