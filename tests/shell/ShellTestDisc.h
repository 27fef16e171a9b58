#pragma once

// A small disc for the main window's tests: an 800 x 600 screen with the two
// system buttons, two buttons (the second without pictures of its own), two
// single switches and a group of three, each state picture one flat colour.

#include "TempDir.h"
#include "data/ArchiveWriter.h"
#include "data/BinWriter.h"
#include "data/ConfigText.h"
#include "platform/CodePage.h"
#include "platform/Registry.h"
#include "platform/VirtualFs.h"
#include "shell/StartupContext.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QMap>
#include <memory>

namespace shelltest {

inline QByteArray bmp(QSize size, QColor color)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return bytes;
}

// The colours of the pictures, by entry name.
inline const QMap<QString, QColor>& colours()
{
    static const QMap<QString, QColor> map{
        {"bg.bmp", QColor(30, 30, 30)},      {"x_up.bmp", QColor(200, 0, 0)},
        {"x_mv.bmp", QColor(0, 200, 0)},     {"x_dn.bmp", QColor(0, 0, 200)},
        {"m_up.bmp", QColor(200, 200, 0)},   {"m_mv.bmp", QColor(0, 200, 200)},
        {"m_dn.bmp", QColor(200, 0, 200)},   {"b_up.bmp", QColor(10, 20, 200)},
        {"b_mv.bmp", QColor(10, 200, 20)},   {"b_dn.bmp", QColor(200, 20, 10)},
        {"s_up.bmp", QColor(100, 100, 0)},   {"s_mvup.bmp", QColor(0, 100, 100)},
        {"s_mvdn.bmp", QColor(100, 0, 100)}, {"s_dn.bmp", QColor(250, 250, 0)},
        {"g_up.bmp", QColor(60, 60, 160)},   {"g_mvup.bmp", QColor(60, 160, 60)},
        {"g_mvdn.bmp", QColor(160, 60, 60)}, {"g_dn.bmp", QColor(240, 240, 240)},
    };
    return map;
}

inline QSize pictureSize(const QString& name)
{
    if (name == QLatin1String("bg.bmp")) {
        return {800, 600};
    }
    if (name.startsWith(QLatin1String("x_")) || name.startsWith(QLatin1String("m_"))) {
        return {24, 24};
    }
    if (name.startsWith(QLatin1String("b_"))) {
        return {100, 30};
    }
    return {40, 40};
}

inline QString structText(const QString& title)
{
    return QStringLiteral(
               "title=%1\nrolic=no\n"
               "vertexmain=[20,0;780,0;800,20;800,580;780,600;20,600;0,580;0,20]\n"
               "minimize\nvx=724\nvy=18\nfn1=m_up.bmp\nfn2=m_mv.bmp\nfn3=m_dn.bmp\nhint="
               "Свернуть\nwav=no\n"
               "close\nvx=756\nvy=18\nfn1=x_up.bmp\nfn2=x_mv.bmp\nfn3=x_dn.bmp\nhint=Выход\nwav="
               "no\n"
               "1_screen=bg.bmp\n"
               "button=1\nvx=40\nvy=110\nfn1=b_up.bmp\nfn2=b_mv.bmp\nfn3=b_dn.bmp\n"
               "go=html1=a.htm\nhint=Первая\nwav=no\n"
               "button=1\nvx=40\nvy=200\nfn1=lost_up.bmp\nfn2=lost_mv.bmp\nfn3=lost_dn.bmp\n"
               "go=html1=b.htm\nhint=Вторая\nwav=no\n"
               "switchone=1\nvx=300\nvy=110\nfn1=s_up.bmp\nfn2=s_mvup.bmp\nfn3=s_mvdn.bmp\n"
               "fn4=s_dn.bmp\nstate=off\nstore=on\ngoup=tree1\ngodown=tree2\nhint=Дерево\nwav=no\n"
               "switchone=1\nvx=360\nvy=110\nfn1=s_up.bmp\nfn2=s_mvup.bmp\nfn3=s_mvdn.bmp\n"
               "fn4=s_dn.bmp\nstate=on\nstore=off\ngoup=offtree\ngodown=ontree\nhint=Вид\nwav=no\n")
               .arg(title) +
           QStringLiteral(
               "switchgrp=1\nvx=%1\nvy=300\nfn1=g_up.bmp\nfn2=g_mvup.bmp\nfn3=g_mvdn.bmp\n"
               "fn4=g_dn.bmp\nstate=%2\nstore=on\ngroup=1\ngo=%3\nhint=Г\nwav=no\n")
               .arg(300)
               .arg(QStringLiteral("off"))
               .arg(QStringLiteral("caseoff")) +
           QStringLiteral(
               "switchgrp=1\nvx=%1\nvy=300\nfn1=g_up.bmp\nfn2=g_mvup.bmp\nfn3=g_mvdn.bmp\n"
               "fn4=g_dn.bmp\nstate=%2\nstore=on\ngroup=1\ngo=%3\nhint=Г\nwav=no\n")
               .arg(350)
               .arg(QStringLiteral("on"))
               .arg(QStringLiteral("caseon")) +
           QStringLiteral(
               "switchgrp=1\nvx=%1\nvy=300\nfn1=g_up.bmp\nfn2=g_mvup.bmp\nfn3=g_mvdn.bmp\n"
               "fn4=g_dn.bmp\nstate=%2\nstore=on\ngroup=1\ngo=%3\nhint=Г\nwav=no\n")
               .arg(400)
               .arg(QStringLiteral("off"))
               .arg(QStringLiteral("caseoff"));
}

// The disc in a temporary folder, with its own registry and instance folder.
class ShellTestDisc {
public:
    // polygon replaces the vertices of the window polygon when given;
    // moreStruct is added to the interface description and moreFiles to the
    // packed archive.
    explicit ShellTestDisc(const QString& title = QStringLiteral("тестовый диск"),
                           const QString& polygon = QString(),
                           const QString& moreStruct = QString(),
                           const QMap<QString, QByteArray>& moreFiles = {})
        : registry_(std::make_unique<Registry>(config_.path()))
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        BinWriter bin;
        QString text = structText(title) + moreStruct;
        if (!polygon.isEmpty()) {
            text.replace(QStringLiteral("20,0;780,0;800,20;800,580;780,600;20,600;0,580;0,20"),
                         polygon);
        }
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        bin.addEntry(QStringLiteral("Struct.cfs"), EncodeConfig(CodePage::toCp1251(text)));
        for (auto it = colours().cbegin(); it != colours().cend(); ++it) {
            bin.addEntry(it.key(), bmp(pictureSize(it.key()), it.value()));
        }
        bin.write(disc_.file(QStringLiteral("Mev.dhl")));
        ArchiveWriter archive;
        archive.addFile(QStringLiteral("html\\a.htm"), "<html></html>");
        for (auto it = moreFiles.cbegin(); it != moreFiles.cend(); ++it) {
            archive.addFile(it.key(), it.value());
        }
        archive.write(disc_.file(QStringLiteral("interface.dat")));
    }

    TStartupContext context() const
    {
        TStartupContext context;
        context.AppDir = disc_.virtualPath();
        context.CdRoot = QStringLiteral("z:\\");
        context.ProgramFile = context.AppDir + QStringLiteral("discshell.exe");
        context.RawCommandLine = QLatin1Char('"') + context.ProgramFile + QLatin1Char('"');
        context.Store = registry_.get();
        context.LockFolder = locks_.path();
        return context;
    }

    const TempDir& folder() const { return disc_; }
    Registry& registry() const { return *registry_; }

private:
    TempDir disc_;
    TempDir config_;
    TempDir locks_;
    std::unique_ptr<Registry> registry_;
};

} // namespace shelltest
