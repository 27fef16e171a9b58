#pragma once

// The demo disc's resource container as the whole-program tests read it:
// its interface description and its pictures.

#include "E2eSupport.h"
#include "data/ConfigText.h"
#include "data/ReadBin.h"
#include "interface/InterfaceParser.h"
#include "platform/VirtualFs.h"

#include <QImage>
#include <QRect>

namespace e2e {

class DemoReader {
public:
    DemoReader()
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        EXPECT_TRUE(bin_.Open(VirtualFs::fromHostPath(demoDisc() + QStringLiteral("/Mev.dhl"))));
    }

    QImage picture(const QString& name) const
    {
        QByteArray data;
        bin_.ReadToBuffer(name, data);
        return QImage::fromData(data);
    }

    TInterfaceDescription description() const
    {
        QByteArray buffer;
        bin_.ReadToBuffer(QStringLiteral("Struct.cfs"), buffer);
        TDynamicStringArray lines;
        DecodeConfig(buffer, lines, true);
        return ReadInterfaceDescription(lines);
    }

    // Where a picture placed at (left, top) lies.
    QRect pictureBounds(int left, int top, const QString& name) const
    {
        return QRect(QPoint(left, top), picture(name).size());
    }

private:
    TReadBin bin_;
};

} // namespace e2e
