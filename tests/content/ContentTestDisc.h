#pragma once

#include "TempDir.h"
#include "content/ContentContext.h"
#include "data/ArchiveWriter.h"
#include "data/PackedArchive.h"
#include "platform/Registry.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <memory>
#include <ostream>

// A disc for the content tests: "d:\" is a temporary folder, the process-wide
// archive is "d:\run\interface.dat" with "d:\run\" as its base, and the
// settings live in a registry of their own.
class ContentTestDisc {
public:
    ContentTestDisc() : registry_(config_.path())
    {
        VirtualFs::instance().mount(QStringLiteral("d:\\"), dir_.path());
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        SetArchiveDamageHandler([](const QString&) {});
    }
    ~ContentTestDisc()
    {
        OpenArchive(QStringLiteral("d:\\no-archive.dat"));
        VirtualFs::instance().unmount(QStringLiteral("d:\\"));
        SetArchiveDamageHandler({});
    }

    // relative: below "d:\run\", e.g. "html\page.htm".
    void addToArchive(const QString& relative, const QByteArray& bytes)
    {
        writer_.addFile(relative, bytes);
    }
    // relative: below "d:\"; gives the host path.
    QString writeToDisk(const QString& relative, const QByteArray& bytes)
    {
        return dir_.write(host(relative), bytes);
    }
    QString hostPath(const QString& relative) const { return dir_.file(host(relative)); }
    QByteArray readFromDisk(const QString& relative) const
    {
        QFile file(hostPath(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool existsOnDisk(const QString& relative) const { return QFile::exists(hostPath(relative)); }
    bool openArchive()
    {
        dir_.write(QStringLiteral("run/.keep"), QByteArray());
        if (!writer_.write(dir_.file(QStringLiteral("run/interface.dat")))) {
            return false;
        }
        const bool opened = OpenArchive(QStringLiteral("d:\\run\\interface.dat"));
        SetArchiveBase(QStringLiteral("d:\\run\\"));
        return opened;
    }
    Registry& registry() { return registry_; }

    static QByteArray Page(const QString& title, const QString& body)
    {
        return (QStringLiteral("<html><head><title>") + title +
                QStringLiteral("</title></head><body>") + body + QStringLiteral("</body></html>"))
            .toUtf8();
    }

private:
    static QString host(const QString& relative)
    {
        return QString(relative).replace(QLatin1Char('\\'), QLatin1Char('/'));
    }

    TempDir dir_;
    TempDir config_;
    Registry registry_;
    ArchiveWriter writer_;
};

// A context with the disc's settings, the screen in a variable and the
// dispatcher's commands written to a log.
inline void FillContext(TContentContext& context, ContentTestDisc& disc, int& screen,
                        QStringList& log)
{
    context.AppDir = QStringLiteral("d:\\run\\");
    context.CdRoot = QStringLiteral("d:\\");
    context.SettingsKey = QStringLiteral("SOFTWARE\\Pallidrome\\Тест");
    context.DiscHost = QStringLiteral("/disc/run");
    context.DiscRootHost = QStringLiteral("/disc");
    context.Store = &disc.registry();
    context.CurrentScreen = [&screen] { return screen; };
    context.ExecuteCommand = [&log](QString& command, QString& sound, int index, int kind,
                                    int silent) {
        log << QStringLiteral("command %1 sound %2 index %3 kind %4 silent %5")
                   .arg(command, sound)
                   .arg(index)
                   .arg(kind)
                   .arg(silent);
    };
}

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
