#include "DiscStruct.h"
#include "ToolRunner.h"
#include "data/ConfigText.h"
#include "data/PackedArchive.h"
#include "data/ReadBin.h"
#include "data/ValueReaders.h"
#include "interface/InterfaceParser.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRect>
#include <QRegularExpression>
#include <QSet>
#include <QtEndian>
#include <algorithm>
#include <gtest/gtest.h>

// The demo disc the build makes: its interface reads cleanly, every picture,
// sound, folder and page it names is there, and nothing of its sources lies
// beside the program.
namespace {

const QString AppDir = QStringLiteral("d:\\run\\");
constexpr int WindowWidth = 800;
constexpr int WindowHeight = 600;

struct Bitmap {
    bool valid = false;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};

Bitmap bitmapHeader(const QByteArray& bytes)
{
    Bitmap bitmap;
    if (bytes.size() < 54 || !bytes.startsWith("BM")) {
        return bitmap;
    }
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    bitmap.valid = true;
    bitmap.width = qFromLittleEndian<qint32>(data + 18);
    bitmap.height = std::abs(qFromLittleEndian<qint32>(data + 22));
    bitmap.bitsPerPixel = qFromLittleEndian<quint16>(data + 28);
    return bitmap;
}

// The entry name of a picture path the description expanded ("d:\run\a.bmp").
QString entryName(const QString& path)
{
    return path.section(QLatin1Char('\\'), -1);
}

} // namespace

class DemoDisc : public testing::Test {
protected:
    void SetUp() override
    {
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
        folder = QStringLiteral(DISCSHELL_DEMO_DISC_DIR);
        ASSERT_TRUE(QFileInfo(folder).isDir()) << "build the demo_disc target first";
        ASSERT_TRUE(disc.open(folder)) << disc.errorString().toStdString();
        const ScopedAppDir appDir(AppDir);
        description = ReadInterfaceDescription(disc.lines(), &diagnostics);
    }

    QString virtualFile(const QString& name) const
    {
        return VirtualFs::fromHostPath(folder + QLatin1Char('/') + name);
    }

    // The host file of a path under the program folder (d:\run\...).
    QString hostFile(const QString& path) const
    {
        EXPECT_TRUE(path.startsWith(AppDir, Qt::CaseInsensitive)) << path.toStdString();
        QString relative = path.mid(AppDir.size());
        return folder + QLatin1Char('/') + relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    }

    Bitmap picture(const QString& name) const
    {
        QByteArray bytes;
        disc.container().ReadToBuffer(name, bytes);
        return bitmapHeader(bytes);
    }

    // A state picture of an element at (left, top): a 24-bit bitmap that fits the window.
    void expectElementPicture(const QString& name, int left, int top) const
    {
        const Bitmap bitmap = picture(name);
        ASSERT_TRUE(bitmap.valid) << name.toStdString();
        EXPECT_EQ(bitmap.bitsPerPixel, 24) << name.toStdString();
        EXPECT_LE(left + bitmap.width, WindowWidth) << name.toStdString();
        EXPECT_LE(top + bitmap.height, WindowHeight) << name.toStdString();
    }

    QString folder;
    DiscStruct disc;
    TInterfaceDescription description;
    TInterfaceDiagnostics diagnostics;
};

TEST_F(DemoDisc, InterfaceReadsWithoutWarnings)
{
    for (const RInterfaceDiagnostic& diagnostic : diagnostics) {
        ADD_FAILURE() << "line " << diagnostic.Line << ": " << diagnostic.Message.toStdString();
    }
    const ToolResult lint =
        runTool({QStringLiteral("lint"), folder, QStringLiteral("--appdir"), AppDir});
    EXPECT_EQ(lint.status, 0) << lint.outText().toStdString() << lint.err.toStdString();
    EXPECT_EQ(description.DiskTitle, QStringLiteral("Демонстрационный диск"));
    EXPECT_EQ(description.IntroClip, QStringLiteral("intro.avi"));
    ASSERT_TRUE(description.HasWindowPolygon && description.WindowPolygonValid);
    for (const QPoint& vertex : description.WindowPolygon) {
        EXPECT_TRUE(QRect(0, 0, WindowWidth + 1, WindowHeight + 1).contains(vertex));
    }
    EXPECT_EQ(description.MinimizeButton.Command, QStringLiteral("minimize"));
    EXPECT_EQ(description.CloseButton.Command, QStringLiteral("exit"));
}

TEST_F(DemoDisc, ScreensHoldEveryKindOfElement)
{
    ASSERT_EQ(description.screenCount(), 3);
    const int content = 1;
    EXPECT_EQ(description.Switches.at(content).size(), 2);
    EXPECT_TRUE(std::any_of(description.Switches.at(content).cbegin(),
                            description.Switches.at(content).cend(),
                            [](const RSwthOne& s) { return s.Store && s.State; }));
    const TDynamicSwthGrpArray& group = description.SwitchGroups.at(content);
    ASSERT_EQ(group.size(), 3);
    EXPECT_TRUE(std::all_of(group.cbegin(), group.cend(),
                            [&](const RSwthGrp& g) { return g.Group == group.first().Group; }));
    QSet<qint32> kinds;
    for (const RPopupData& popup : description.Popups.at(content)) {
        kinds.insert(popup.Kind);
    }
    EXPECT_EQ(kinds, QSet<qint32>(
                         {PopupHistoryBack, PopupHistoryForward, PopupFavorite, PopupContextHtml}));
    ASSERT_EQ(description.Popups.at(0).size(), 1);
    EXPECT_GT(description.Popups.at(0).first().Vertices.size(), 2) << "a shaped start menu";
    ASSERT_EQ(description.Html.size(), 1);
    EXPECT_EQ(description.Html.first().Number, 1);
    EXPECT_EQ(description.FindTxt.size(), 1);
    EXPECT_EQ(description.PathInput.size(), 1);
    ASSERT_EQ(description.Clips.size(), 1);
    EXPECT_EQ(description.Clips.first().Html, 1);
    EXPECT_EQ(description.Images.size(), 2);
    QSet<QString> idents;
    for (const RText& text : description.Texts) {
        idents.insert(text.Ident);
    }
    EXPECT_TRUE(idents.contains(QStringLiteral("statusline")));
    for (int screen = 0; screen < description.screenCount(); ++screen) {
        for (const RBtn& button : description.Buttons.at(screen)) {
            EXPECT_FALSE(button.Command.isEmpty()) << button.PicUp.toStdString();
            EXPECT_FALSE(button.Hint.isEmpty()) << button.PicUp.toStdString();
        }
    }
}

TEST_F(DemoDisc, PicturesAreBitmapsThatFitTheWindow)
{
    for (const QString& background : description.ScreenBackgrounds) {
        const Bitmap bitmap = picture(background);
        EXPECT_TRUE(bitmap.valid) << background.toStdString();
        EXPECT_EQ(bitmap.bitsPerPixel, 24);
        EXPECT_EQ(bitmap.width, WindowWidth);
        EXPECT_EQ(bitmap.height, WindowHeight);
    }
    for (int screen = 0; screen < description.screenCount(); ++screen) {
        for (const RBtn& b : description.Buttons.at(screen)) {
            for (const QString& name : {b.PicUp, b.PicMv, b.PicDn}) {
                expectElementPicture(name, b.Left, b.Top);
            }
        }
        for (const RSwthOne& s : description.Switches.at(screen)) {
            for (const QString& name : {s.PicUp, s.PicMvUp, s.PicMvDn, s.PicDn}) {
                expectElementPicture(name, s.Left, s.Top);
            }
        }
        for (const RSwthGrp& g : description.SwitchGroups.at(screen)) {
            for (const QString& name : {g.PicUp, g.PicMvUp, g.PicMvDn, g.PicDn}) {
                expectElementPicture(name, g.Left, g.Top);
            }
        }
        for (const RPopupData& popup : description.Popups.at(screen)) {
            EXPECT_TRUE(picture(popup.BackPicture).valid) << popup.BackPicture.toStdString();
            for (const QString& item : popup.ItemPicsUp + popup.ItemPicsMove + popup.ItemPicsDown) {
                EXPECT_TRUE(picture(entryName(item)).valid) << item.toStdString();
            }
        }
    }
    EXPECT_TRUE(disc.container().Exists(description.Icon));
}

// The intro clip "rolic" names and the 3-D view's "car.avi" are AVI files
// beside the program; the start screen's controls leave the fixed 3-D area
// free, its "2D" and "3D" switches stand outside it, and "codec" asks for
// both codecs.
TEST_F(DemoDisc, TheClipsAndTheThreeDViewHaveTheirPlaceAndFiles)
{
    for (const QString& clip : {description.IntroClip, QStringLiteral("car.avi")}) {
        QFile file(folder + QLatin1Char('/') + clip);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << clip.toStdString();
        const QByteArray header = file.read(12);
        EXPECT_TRUE(header.startsWith("RIFF") && header.mid(8, 4) == "AVI ") << clip.toStdString();
        EXPECT_LT(file.size(), 4 << 20) << "a small clip keeps the build quick";
    }
    EXPECT_TRUE(description.CodecRequest.contains(QLatin1String("indeo5")));
    EXPECT_TRUE(description.CodecRequest.contains(QLatin1String("mpegaudio")));

    const QRect area(31, 135, 656, 259);
    const Bitmap stage = picture(QStringLiteral("3d_bg.bmp"));
    ASSERT_TRUE(stage.valid);
    EXPECT_EQ(QSize(stage.width, stage.height), area.size());
    auto place = [this](qint32 left, qint32 top, const QString& name) {
        const Bitmap bitmap = picture(name);
        return QRect(left, top, bitmap.width, bitmap.height);
    };
    for (const RBtn& button : description.Buttons.at(0)) {
        EXPECT_FALSE(place(button.Left, button.Top, button.PicUp).intersects(area))
            << button.PicUp.toStdString();
    }
    QStringList views;
    for (const RSwthGrp& member : description.SwitchGroups.at(0)) {
        EXPECT_FALSE(place(member.Left, member.Top, member.PicUp).intersects(area))
            << member.PicUp.toStdString();
        views << member.Command;
    }
    EXPECT_EQ(views, QStringList({"2d", "3d"}));
    for (const RText& text : description.Texts) {
        EXPECT_TRUE(text.Screen != 0 || !area.contains(QPoint(text.Left, text.Top)))
            << text.Value.toStdString();
    }
}

TEST_F(DemoDisc, SoundsSongsAndSlideFoldersLieBeside)
{
    QSet<QString> sounds;
    for (int screen = 0; screen < description.screenCount(); ++screen) {
        for (const RBtn& button : description.Buttons.at(screen)) {
            sounds.insert(button.Sound);
        }
        for (const RSwthOne& s : description.Switches.at(screen)) {
            sounds.insert(s.Sound);
        }
        for (const RSwthGrp& g : description.SwitchGroups.at(screen)) {
            sounds.insert(g.Sound);
        }
    }
    sounds.remove(QStringLiteral("no"));
    ASSERT_FALSE(sounds.isEmpty());
    QStringList files;
    for (const QString& sound : sounds) {
        files.append(hostFile(AppDir + sound));
    }
    ASSERT_FALSE(description.BgSoundDefault.isEmpty());
    for (const QString& song : description.BgSoundDefault) {
        files.append(hostFile(song));
    }
    for (const QString& file : files) {
        QFile wave(file);
        ASSERT_TRUE(wave.open(QIODevice::ReadOnly)) << file.toStdString();
        const QByteArray header = wave.read(44);
        ASSERT_EQ(header.size(), 44) << file.toStdString();
        EXPECT_TRUE(header.startsWith("RIFF") && header.mid(8, 8) == "WAVEfmt ");
        const auto* data = reinterpret_cast<const uchar*>(header.constData());
        EXPECT_EQ(qFromLittleEndian<quint16>(data + 20), 1) << "PCM";
        EXPECT_EQ(qFromLittleEndian<quint16>(data + 34), 16) << "16-bit";
        EXPECT_EQ(qFromLittleEndian<quint32>(data + 40) + 44, quint32(wave.size()));
    }
    for (const RImage& image : description.Images) {
        const QStringList pictures =
            QDir(hostFile(image.Dir)).entryList({QStringLiteral("*.bmp"), QStringLiteral("*.jpg")});
        EXPECT_GE(pictures.size(), 3) << image.Dir.toStdString();
    }
}

TEST_F(DemoDisc, PagesOfTheContentsAndTheHelpAreThere)
{
    PackedArchive archive;
    ASSERT_TRUE(archive.OpenArchive(virtualFile(QStringLiteral("interface.dat"))))
        << archive.errorString().toStdString();
    // The disc folder is "run", so the shell removes "d:\" from its page paths.
    archive.SetArchiveBase(QStringLiteral("d:\\"));
    auto pageExists = [&](const QString& path) {
        return archive.FindMember(path) >= 0 || QFileInfo::exists(hostFile(path));
    };
    QByteArray help;
    ASSERT_EQ(archive.ReadMember(archive.FindMember(description.HelpWinFile), help), 0);
    for (const char* topic : {"Topic12", "Topic13", "Topic18"}) {
        EXPECT_TRUE(help.contains(topic)) << topic;
    }
    EXPECT_TRUE(pageExists(description.Html.first().File));

    QByteArray tree;
    ASSERT_GT(disc.container().ReadToBuffer(QStringLiteral("tree1.cfs"), tree), 0);
    TDynamicStringArray nodes;
    DecodeConfig(tree, nodes, false);
    int pages = 0;
    for (const QString& node : nodes) {
        const QString file = node.section(QLatin1Char(';'), 0, 0).section(QLatin1Char('#'), 0, 0);
        if (!file.trimmed().isEmpty()) {
            // The tree finds the node of the page shown by its bare file name.
            EXPECT_FALSE(file.contains(QLatin1Char('\\'))) << node.toStdString();
            EXPECT_TRUE(pageExists(AppDir + file.trimmed())) << node.toStdString();
            ++pages;
        }
    }
    EXPECT_GE(pages, 8);
    QByteArray page;
    ASSERT_EQ(archive.ReadMember(archive.FindMember(QStringLiteral("d:\\run\\Глава1.htm")), page),
              0);
    EXPECT_TRUE(page.contains("charset=utf-8"));
}

TEST_F(DemoDisc, LinksOfThePagesLeadToFilesOfTheDisc)
{
    PackedArchive archive;
    ASSERT_TRUE(archive.OpenArchive(virtualFile(QStringLiteral("interface.dat"))));
    archive.SetArchiveBase(QStringLiteral("d:\\"));
    auto read = [&](const QString& page, QByteArray& bytes) {
        if (archive.ReadMember(archive.FindMember(page), bytes) == 0) {
            return true;
        }
        QFile file(hostFile(page));
        bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return file.isOpen();
    };
    static const QRegularExpression target(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
    QStringList pending{QStringLiteral("d:\\run\\index.htm")};
    QSet<QString> seen;
    while (!pending.isEmpty()) {
        const QString page = pending.takeFirst();
        if (seen.contains(page.toLower())) {
            continue;
        }
        seen.insert(page.toLower());
        QByteArray bytes;
        ASSERT_TRUE(read(page, bytes)) << page.toStdString();
        const QString pageFolder = page.left(page.lastIndexOf(QLatin1Char('\\')) + 1);
        auto links = target.globalMatch(QString::fromUtf8(bytes));
        while (links.hasNext()) {
            QString link = links.next().captured(1);
            link.remove(QRegularExpression(QStringLiteral("^copy:")));
            link = JoinPath(pageFolder, link.section(QLatin1Char('#'), 0, 0).replace('/', '\\'));
            QByteArray linked;
            EXPECT_TRUE(read(link, linked)) << page.toStdString() << " -> " << link.toStdString();
            if (link.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive)) {
                pending.append(link);
            }
        }
    }
    EXPECT_GE(seen.size(), 9) << "every page is reached from the first one";
}

TEST_F(DemoDisc, PlainFilesLieBesideAndNoSourceDoes)
{
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/Статьи/Статья.htm")).isFile());
    const QStringList topLevel = QDir(folder).entryList(QDir::Files);
    for (const QString& name : topLevel) {
        EXPECT_FALSE(name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
            << name.toStdString();
    }
}
