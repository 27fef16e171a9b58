#include "CraftedDisc.h"
#include "ToolRunner.h"
#include "data/ProcessPaths.h"
#include "data/ReadBin.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

const char* const StructText = R"(title=проба
codec=mpegaudio
rolic=intro.avi
background=no
icon=app.ico
bgsounddef=[music\a.mp3]
vertexmain=[0,0;400,0
400,300;0,300]
helpwin vw=500;vh=400;fn=help.htm
minimize
vx=350;vy=5;fn1=min_u.bmp;fn2=min_m.bmp;fn3=min_d.bmp;hint=Свернуть;wav=no
close
vx=375;vy=5;fn1=x_u.bmp;fn2=x_m.bmp;fn3=x_d.bmp;hint=Выход;wav=bye.wav
1_screen=main.bmp
button 1
textcaption=Читать
textfontstyleup=bold italic
textfontcolorup=255,0,0
vx=10;vy=20;fn1=b_u.bmp;fn2=b_m.bmp;fn3=b_d.bmp;go=screen2;hint=Дальше;wav=no
_text 1
vx=1;vy=2;vw=3;font=Arial;size=9;style=italic;color=0,128,0;value=Привет;ident=t;number=4
_screen=second.bmp;2
switchone 2
vx=1;vy=2;fn1=s1.bmp;fn2=s2.bmp;fn3=s3.bmp;fn4=s4.bmp;state=On;store=on;goup=a;godown=b;hint=h;wav=no
switchgrp 2
vx=3;vy=4;fn1=g1.bmp;fn2=g2.bmp;fn3=g3.bmp;fn4=g4.bmp;state=off;store=off;group=5;go=c;hint=h;wav=no
_html 2
vx=0;vy=0;vw=400;vh=300;fn=pages\index.htm;number=1
_popup 2
xfon=-1
yfon=-1
fnfon=pop.bmp
xbtn=4
ybtn=-1
fnbtnup=[item_u.bmp]
fnbtnmove=[item_m.bmp]
fnbtndown=[item_d.bmp]
fontup=Arial
sizeup=10
styleup=bold
colorup=0,0,255
fontmv=Arial
sizemv=11
stylemv=underline
colormv=255,0,0
caption=[Назад]
go=[back]
parent=main
type=historyback
vertex=[0,0;10,0;10,10]
)";

QStringList keysOf(const QJsonObject& object)
{
    QStringList keys = object.keys();
    keys.sort();
    return keys;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QJsonObject inspect(const QStringList& arguments)
{
    const ToolResult run = runTool(QStringList{"inspect", "struct"} + arguments);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    return document.object();
}

class InspectStruct : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(disc.make(QString::fromUtf8(StructText), {})); }

    CraftedDisc disc;
};

TEST_F(InspectStruct, GlobalValues)
{
    const QString appDirBefore = Paths().AppDir;
    const QJsonObject d = inspect({disc.folder(), "--appdir", "d:\\run"});
    EXPECT_EQ(Paths().AppDir, appDirBefore);
    EXPECT_EQ(keysOf(d),
              sorted({"DiskTitle",         "CodecRequest",  "IntroClip",      "IntroBackdrop",
                      "HelpWinWidth",      "HelpWinHeight", "HelpWinFile",    "Icon",
                      "BgSoundDefault",    "WindowPolygon", "MinimizeButton", "CloseButton",
                      "ScreenBackgrounds", "Screens",       "Html",           "FindTxt",
                      "PathInput",         "Clips",         "Texts",          "Images"}));
    EXPECT_EQ(d["DiskTitle"].toString(), QStringLiteral("Проба"));
    EXPECT_EQ(d["CodecRequest"].toString(), QStringLiteral("mpegaudio"));
    EXPECT_EQ(d["IntroClip"].toString(), QStringLiteral("intro.avi"));
    EXPECT_EQ(d["IntroBackdrop"].toString(), QStringLiteral("no"));
    EXPECT_EQ(d["Icon"].toString(), QStringLiteral("app.ico"));
    EXPECT_EQ(d["HelpWinWidth"].toInt(), 500);
    EXPECT_EQ(d["HelpWinHeight"].toInt(), 400);
    EXPECT_EQ(d["HelpWinFile"].toString(), QStringLiteral("d:\\run\\help.htm"));
    EXPECT_EQ(d["BgSoundDefault"].toArray(), QJsonArray({"d:\\run\\music\\a.mp3"}));
    EXPECT_EQ(d["WindowPolygon"].toArray(), QJsonArray({QJsonArray{0, 0}, QJsonArray{400, 0},
                                                        QJsonArray{400, 300}, QJsonArray{0, 300}}));
    EXPECT_EQ(d["MinimizeButton"].toObject()["Command"].toString(), QStringLiteral("minimize"));
    EXPECT_EQ(d["CloseButton"].toObject()["Sound"].toString(), QStringLiteral("bye.wav"));
    EXPECT_EQ(d["ScreenBackgrounds"].toArray(), QJsonArray({"main.bmp", "second.bmp"}));
    EXPECT_EQ(d["Screens"].toArray().size(), 2);
}

TEST_F(InspectStruct, ButtonsAndSwitchesPerScreen)
{
    const QJsonArray screens = inspect({disc.container()})["Screens"].toArray();
    ASSERT_EQ(screens.size(), 2);
    const QJsonObject first = screens[0].toObject();
    EXPECT_EQ(keysOf(first), sorted({"Buttons", "Switches", "SwitchGroups", "Popups"}));
    const QJsonArray buttons = first["Buttons"].toArray();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_EQ(buttons[0].toObject()["Command"].toString(), QStringLiteral("minimize"));
    EXPECT_EQ(buttons[1].toObject()["Command"].toString(), QStringLiteral("exit"));
    const QJsonObject button = buttons[2].toObject();
    EXPECT_EQ(
        keysOf(button),
        sorted({"Left",     "Top",      "Caption", "TextLeft", "TextTop", "TextRight", "TextBottom",
                "FontName", "FontSize", "StyleUp", "StyleMv",  "StyleDn", "ColorUp",   "ColorMv",
                "ColorDn",  "PicUp",    "PicMv",   "PicDn",    "Command", "Hint",      "Sound"}));
    EXPECT_EQ(button["Left"].toInt(), 10);
    EXPECT_EQ(button["Caption"].toString(), QStringLiteral("Читать"));
    EXPECT_EQ(button["StyleUp"].toInt(), 3);
    EXPECT_EQ(button["StyleMv"].toInt(), 0);
    EXPECT_EQ(button["ColorUp"].toInteger(), 255);
    EXPECT_EQ(button["TextLeft"].toInt(), -1);
    EXPECT_EQ(button["FontSize"].toInt(), -1);
    EXPECT_EQ(button["Command"].toString(), QStringLiteral("screen2"));

    const QJsonObject second = screens[1].toObject();
    const QJsonObject one = second["Switches"].toArray()[0].toObject();
    EXPECT_TRUE(one["State"].isBool());
    EXPECT_TRUE(one["State"].toBool());
    EXPECT_TRUE(one["Store"].toBool());
    EXPECT_EQ(one["CmdUp"].toString(), QStringLiteral("a"));
    EXPECT_EQ(one["PicMvDn"].toString(), QStringLiteral("s3.bmp"));
    EXPECT_EQ(one["TextDnBottom"].toInt(), -1);
    EXPECT_FALSE(one.contains("Right"));
    EXPECT_FALSE(one.contains("Hover"));
    const QJsonObject group = second["SwitchGroups"].toArray()[0].toObject();
    EXPECT_EQ(group["Group"].toInt(), 5);
    EXPECT_FALSE(group["State"].toBool());
    EXPECT_EQ(group["Command"].toString(), QStringLiteral("c"));
    EXPECT_TRUE(group.contains("TextLeft"));
    EXPECT_FALSE(group.contains("Bottom"));
}

TEST_F(InspectStruct, PopupsAndOneArrayKinds)
{
    const QJsonObject d = inspect({disc.folder()});
    const QJsonObject popup =
        d["Screens"].toArray()[1].toObject()["Popups"].toArray()[0].toObject();
    EXPECT_EQ(popup["Kind"].toInt(), -1);
    EXPECT_EQ(popup["BackLeft"].toInt(), -1);
    EXPECT_EQ(popup["ItemLeft"].toInt(), 4);
    EXPECT_EQ(popup["BackPicture"].toString(), QStringLiteral("pop.bmp"));
    EXPECT_EQ(popup["ItemPicsUp"].toArray(), QJsonArray({"d:\\item_u.bmp"}));
    EXPECT_EQ(popup["Font"].toArray(), QJsonArray({"arial", "arial"}));
    EXPECT_EQ(popup["Size"].toArray(), QJsonArray({10, 11}));
    EXPECT_EQ(popup["Style"].toArray(), QJsonArray({"bold", "underline"}));
    EXPECT_EQ(popup["Color"].toArray(), QJsonArray({0xFF0000, 0x0000FF}));
    EXPECT_EQ(popup["Captions"].toArray(), QJsonArray({"Назад"}));
    EXPECT_EQ(popup["Commands"].toArray(), QJsonArray({"back"}));
    EXPECT_EQ(popup["Vertices"].toArray(), QJsonArray({"0,0", "10,0", "10,10"}));

    ASSERT_EQ(d["Html"].toArray().size(), 1);
    const QJsonObject html = d["Html"].toArray()[0].toObject();
    EXPECT_EQ(keysOf(html), sorted({"Left", "Top", "Right", "Bottom", "File", "Number", "Screen"}));
    EXPECT_EQ(html["Screen"].toInt(), 1);
    EXPECT_EQ(html["Right"].toInt(), 400);
    EXPECT_EQ(html["File"].toString(), QStringLiteral("d:\\pages\\index.htm"));
    const QJsonObject text = d["Texts"].toArray()[0].toObject();
    EXPECT_EQ(text["Screen"].toInt(), 0);
    EXPECT_EQ(text["Style"].toString(), QStringLiteral("italic"));
    EXPECT_EQ(text["Color"].toInteger(), 0x008000);
    EXPECT_EQ(text["Value"].toString(), QStringLiteral("Привет"));
    EXPECT_EQ(text["Number"].toInt(), 4);
    EXPECT_TRUE(d["Images"].toArray().isEmpty());
}

TEST_F(InspectStruct, FolderAndContainerGiveTheSameOutput)
{
    const ToolResult byFolder = runTool({"inspect", "struct", disc.folder()});
    const ToolResult byFile = runTool({"inspect", "struct", disc.container()});
    EXPECT_EQ(byFolder.status, 0);
    EXPECT_EQ(byFolder.out, byFile.out);
}

TEST(InspectStructErrors, ReportedWithStatus)
{
    TempDir dir;
    EXPECT_EQ(runTool({"inspect", "struct", dir.file("nothing")}).status, 2);
    dir.write(QStringLiteral("bad/Mev.dhl"), "\x05");
    EXPECT_EQ(runTool({"inspect", "struct", dir.file("bad")}).status, 2);
    dir.write(QStringLiteral("res/other.bmp"), "BM");
    QDir().mkpath(dir.file("empty"));
    ASSERT_EQ(runTool({"dhl", "pack", dir.file("res"), "-o", dir.file("empty/Mev.dhl")}).status, 0);
    const ToolResult noStruct = runTool({"inspect", "struct", dir.file("empty")});
    EXPECT_EQ(noStruct.status, 1);
    EXPECT_TRUE(noStruct.err.contains(QLatin1String("Struct.cfs")));
    EXPECT_EQ(runTool({"inspect", "struct", dir.file("empty"), "--appdir", "run"}).status, 2);
    EXPECT_EQ(runTool({"inspect", "struct"}).status, 2);
    EXPECT_EQ(runTool({"inspect", "tree", dir.file("empty")}).status, 2);
}

// The demo disc the build makes reads into screens whose backgrounds and
// element pictures are all in its container.
TEST(InspectDemoDisc, EveryScreenHasItsBackgroundAndSystemButtons)
{
    const QString folder = QStringLiteral(DISCSHELL_DEMO_DISC_DIR);
    ASSERT_TRUE(QFileInfo(folder).isDir()) << "build the demo_disc target first";
    const QJsonObject d = inspect({folder, "--appdir", "d:\\run\\"});
    EXPECT_EQ(d["DiskTitle"].toString(), QStringLiteral("Демонстрационный диск"));
    EXPECT_FALSE(d["WindowPolygon"].toArray().isEmpty());

    VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    TReadBin container;
    ASSERT_TRUE(container.Open(VirtualFs::fromHostPath(folder + QStringLiteral("/Mev.dhl"))));
    const QJsonArray screens = d["Screens"].toArray();
    const QJsonArray backgrounds = d["ScreenBackgrounds"].toArray();
    ASSERT_GE(screens.size(), 1);
    ASSERT_EQ(backgrounds.size(), screens.size());
    for (int screen = 0; screen < screens.size(); ++screen) {
        EXPECT_TRUE(container.Exists(backgrounds[screen].toString())) << screen;
        QStringList commands;
        for (const QJsonValue& button : screens[screen].toObject()["Buttons"].toArray()) {
            commands.append(button.toObject()["Command"].toString());
            EXPECT_TRUE(container.Exists(button.toObject()["PicUp"].toString()));
        }
        EXPECT_TRUE(commands.contains(QStringLiteral("minimize"))) << screen;
        EXPECT_TRUE(commands.contains(QStringLiteral("exit"))) << screen;
    }
}

} // namespace
