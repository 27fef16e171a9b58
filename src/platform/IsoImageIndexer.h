#pragma once

#include "platform/IsoImage.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <optional>

// Builds the index of an IsoImage: finds the volume descriptors, then walks
// the chosen directory tree breadth first, reading each directory extent
// once. Every bound IsoImage promises is enforced here; the first damage
// found ends the walk through IsoImage::fail().
class IsoImageIndexer {
public:
    explicit IsoImageIndexer(IsoImage& image) : image_(image) {}

    bool run();

private:
    struct Tree {
        quint32 extent = 0;
        qint64 size = 0;
        bool joliet = false;
    };
    struct Pending {
        int folder = 0;
        int depth = 0;
        qint64 size = 0; // bytes of the directory extent
    };
    struct Record {
        quint32 extent = 0;
        qint64 size = 0;
        int flags = 0;
        QByteArray isoName;
        QByteArray systemUse;
        QDateTime modified;
    };

    bool readDescriptors(std::optional<Tree>& primary, std::optional<Tree>& joliet);
    bool rootRecord(const QByteArray& descriptor, bool joliet, std::optional<Tree>& tree);
    bool walk(const Tree& tree);
    bool readFolder(const Pending& folder);
    bool readSector(const QByteArray& sector, const Pending& folder, bool isRootStart);
    bool parseRecord(const char* bytes, int length, Record& record);
    bool addEntry(const Pending& folder, const Record& record);
    QString nameOf(const Record& record);
    QString rockRidgeName(const QByteArray& systemUse);
    void noteSharingProtocol(const Record& dot);
    bool checkedRead(qint64 offset, qint64 length, QByteArray& bytes);

    IsoImage& image_;
    bool joliet_ = false;
    bool rockRidge_ = false;
    int suspSkip_ = 0;
    qint64 directoryBytes_ = 0;
    QSet<quint32> visited_;
    QList<Pending> pending_;
};
