#include "HtmlFrameFixture.h"
#include "content/ChapterTree.h"
#include "content/PrintHeader.h"
#include "content/ViewerSettings.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QPainter>

// The page operations of the panels: copy, print, default font and its
// settings, keys, the mouse and the chapter steps.

namespace {

using HtmlFramePages = HtmlFrameFixture;

class HtmlFrameCopy : public HtmlFrameFixture {
protected:
    void SetUp() override
    {
        HtmlFrameFixture::SetUp();
        disc.writeToDisk(QStringLiteral("pages\\manual.htm"), "<title>Manual</title>manual");
        disc.writeToDisk(QStringLiteral("pages\\manual.files\\img\\a.gif"), "GIF89a");
        disc.writeToDisk(QStringLiteral("pages\\manual.files\\style.css"), "p {}");
        disc.writeToDisk(QStringLiteral("pages\\other.htm"), "other");
        QDir().mkpath(disc.hostPath(QStringLiteral("pages/manual.files/empty")));
        inputs.folder = QStringLiteral("d:\\install");
        components.PathInputs = &inputs;
        Create();
    }
    FakePathInputs inputs;
};

TEST_F(HtmlFrameCopy, PageAndItsFilesFolderGoToTheInstallationFolder)
{
    frame->OpenFile(QStringLiteral("d:\\pages\\manual.htm"));
    frame->CopyPage();
    EXPECT_EQ(disc.readFromDisk(QStringLiteral("install\\manual.htm")),
              QByteArray("<title>Manual</title>manual"));
    EXPECT_EQ(disc.readFromDisk(QStringLiteral("install\\manual.files\\img\\a.gif")),
              QByteArray("GIF89a"));
    EXPECT_EQ(disc.readFromDisk(QStringLiteral("install\\manual.files\\style.css")),
              QByteArray("p {}"));
    EXPECT_TRUE(QDir(disc.hostPath(QStringLiteral("install/manual.files/empty"))).exists());
    EXPECT_FALSE(disc.existsOnDisk(QStringLiteral("install\\other.htm")));
    EXPECT_EQ(log, QStringList({QStringLiteral("status Файл скопирован")}));
}

TEST_F(HtmlFrameCopy, PageOfTheArchiveIsCopiedFromIt)
{
    frame->CopyPage();
    EXPECT_EQ(disc.readFromDisk(QStringLiteral("install\\a.htm")),
              ContentTestDisc::Page(QStringLiteral("A"), QStringLiteral("Text of a")));
    EXPECT_EQ(log, QStringList({QStringLiteral("status Файл скопирован")}));
}

TEST_F(HtmlFrameCopy, FailureIsToldAndNothingHappensWithoutFolderFields)
{
    disc.writeToDisk(QStringLiteral("blocked"), "a file where a folder should be");
    inputs.folder = QStringLiteral("d:\\blocked\\sub\\");
    frame->CopyPage();
    EXPECT_EQ(log, QStringList({QStringLiteral("status Файл не скопирован")}));

    log.clear();
    components.PathInputs = nullptr;
    frame->CopyPage();
    EXPECT_TRUE(log.isEmpty());
}

struct PrintCall {
    QString file;
    bool picture = false;
    QSize size;
    bool currentViewer = false;
    bool operator==(const PrintCall&) const = default;
};

class HtmlFramePrint : public HtmlFrameFixture {
protected:
    void SetUp() override
    {
        HtmlFrameFixture::SetUp();
        context.Hooks.ShowPrintPreview = [this](THtmlViewer& viewer, bool picture, QSize size) {
            calls.append({viewer.currentFile(), picture, size, &viewer == frame->CurrentViewer()});
        };
        Create();
    }
    QList<PrintCall> calls;
};

TEST_F(HtmlFramePrint, CurrentPageTellsWhetherItIsAPicture)
{
    frame->PrintPage(QString());
    frame->OpenFile(Html(QStringLiteral("pic.jpg")));
    frame->PrintPage(QString());
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls.at(0).file, Html(QStringLiteral("a.htm")));
    EXPECT_FALSE(calls.at(0).picture);
    EXPECT_TRUE(calls.at(0).currentViewer);
    EXPECT_EQ(calls.at(1), (PrintCall{Html(QStringLiteral("pic.jpg")), true, QSize(40, 30), true}));
    EXPECT_FALSE(frame->PicturePrint());
}

// A print request's picture flag serves the next named print only.
TEST_F(HtmlFramePrint, NamedFilePrintsFromAViewerOfItsOwn)
{
    frame->SetPicturePrint(true);
    frame->SetPictureWidth(640);
    frame->SetPictureHeight(480);
    frame->PrintPage(Html(QStringLiteral("b.htm")));
    EXPECT_FALSE(frame->PicturePrint());
    frame->PrintPage(Html(QStringLiteral("b.htm")));
    frame->SetPicturePrint(true);
    frame->PrintPage(Html(QStringLiteral("missing.htm")));
    EXPECT_FALSE(frame->PicturePrint());
    EXPECT_EQ(calls,
              (QList<PrintCall>{{Html(QStringLiteral("b.htm")), true, QSize(640, 480), false},
                                {Html(QStringLiteral("b.htm")), false, QSize(640, 480), false}}));
    EXPECT_EQ(Current().currentFile(), Html(QStringLiteral("a.htm")));
}

// Dark pixels of the header lie right of the middle, ending 50 pixels from
// the right edge, from 40 pixels down.
TEST(PrintHeader, PageNumberSitsRightAligned)
{
    QImage page(600, 200, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        DrawPrintHeader(painter, 12, 600, true);
    }
    QRect ink;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 128) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.top(), 40);
    EXPECT_LT(ink.bottom(), 70);
    EXPECT_LT(ink.right(), 550);
    EXPECT_GT(ink.right(), 530);
    EXPECT_GT(ink.left(), 300);

    QImage empty(600, 200, QImage::Format_RGB32);
    empty.fill(Qt::white);
    {
        QPainter painter(&empty);
        DrawPrintHeader(painter, 1, 600, false);
    }
    QImage white(600, 200, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(empty, white);
}

TEST_F(HtmlFramePages, StoredSettingsGiveTheViewersTheirLook)
{
    Registry& store = disc.registry();
    const QString key = context.SettingsKey;
    store.writeString(RegistryHive::CurrentUser, key, QStringLiteral("FontName"),
                      QStringLiteral("Verdana"));
    store.writeInteger(RegistryHive::CurrentUser, key, QStringLiteral("FontColor"), 0x0000FF);
    store.writeInteger(RegistryHive::CurrentUser, key, QStringLiteral("FontSize"), 12);
    store.writeInteger(RegistryHive::CurrentUser, key, QStringLiteral("HotSpotColor"), 0x00FF00);
    store.writeInteger(RegistryHive::CurrentUser, key, QStringLiteral("Background"), 0x336699);
    Create();
    for (int i = 0; i < frame->ViewerCount(); ++i) {
        const ViewerDefaults defaults = frame->Viewer(i)->defaults();
        EXPECT_EQ(defaults.fontName, QStringLiteral("Verdana"));
        EXPECT_EQ(defaults.fontColor, QColor(255, 0, 0));
        EXPECT_EQ(defaults.fontSize, 12);
        EXPECT_EQ(defaults.linkColor, QColor(0, 255, 0));
        EXPECT_EQ(defaults.background, QColor(0x99, 0x66, 0x33));
    }
}

TEST_F(HtmlFramePages, UnreadableSettingsTakeTheirDefaults)
{
    Registry& store = disc.registry();
    const QString key = context.SettingsKey;
    store.writeInteger(RegistryHive::CurrentUser, key, QStringLiteral("FontName"), 5);
    store.writeString(RegistryHive::CurrentUser, key, QStringLiteral("FontColor"),
                      QStringLiteral("red"));
    store.writeInteger(RegistryHive::CurrentUser, key, QStringLiteral("FontSize"), 100000);
    store.writeBinary(RegistryHive::CurrentUser, key, QStringLiteral("HotSpotColor"), "\x01\x02");
    const ViewerDefaults defaults = ViewerSettings::Load(store, key);
    EXPECT_EQ(defaults.fontName, QStringLiteral("Arial"));
    EXPECT_EQ(defaults.fontColor, QColor(Qt::black));
    EXPECT_EQ(defaults.fontSize, 8);
    EXPECT_EQ(defaults.linkColor, QColor(0x66, 0x33, 0x00));
    EXPECT_EQ(defaults.background, QColor(Qt::white));

    store.writeString(RegistryHive::CurrentUser, key, QStringLiteral("FontName"), QString());
    EXPECT_EQ(ViewerSettings::Load(store, key).fontName, QStringLiteral("Arial"));
    const QString fresh = key + QStringLiteral("2");
    ViewerSettings::Load(store, fresh);
    EXPECT_TRUE(store.keyExists(RegistryHive::CurrentUser, fresh));
}

TEST_F(HtmlFramePages, ChosenFontReachesEveryViewerAndTheSettings)
{
    bool confirm = false;
    context.Hooks.ChooseFont = [&confirm](ViewerDefaults& defaults) {
        defaults.fontName = QStringLiteral("Tahoma");
        defaults.fontSize = 14;
        defaults.background = QColor(1, 2, 3);
        return confirm;
    };
    Create();
    frame->ChooseDefaultFont();
    EXPECT_EQ(Current().defaults().fontSize, 8);
    confirm = true;
    frame->ChooseDefaultFont();
    for (int i = 0; i < frame->ViewerCount(); ++i) {
        EXPECT_EQ(frame->Viewer(i)->defaults().fontName, QStringLiteral("Tahoma"));
        EXPECT_EQ(frame->Viewer(i)->defaults().fontSize, 14);
    }
    frame.reset();
    Registry& store = disc.registry();
    const QString key = context.SettingsKey;
    EXPECT_EQ(store.readString(RegistryHive::CurrentUser, key, QStringLiteral("FontName")),
              QStringLiteral("Tahoma"));
    EXPECT_EQ(store.readInteger(RegistryHive::CurrentUser, key, QStringLiteral("FontSize")), 14);
    EXPECT_EQ(store.readInteger(RegistryHive::CurrentUser, key, QStringLiteral("Background")),
              0x030201);
    EXPECT_EQ(store.readInteger(RegistryHive::CurrentUser, key, QStringLiteral("HotSpotColor")),
              13158);
}

TEST_F(HtmlFramePages, KeysCopyTheSelectionAndStartTheSearch)
{
    int enters = 0;
    context.Hooks.PassEnterToFindFields = [&enters] { ++enters; };
    Create();
    QApplication::clipboard()->setText(QStringLiteral("before"));
    frame->SelectAll();
    emit Current().keyDown(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
    emit Current().keyDown(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Text of a"));
    emit Current().keyDown(Qt::Key_Return, Qt::NoModifier);
    emit Current().keyDown(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(enters, 2);
}

TEST_F(HtmlFramePages, PressesClosePopupsAndTheRightButtonOpensThePageMenu)
{
    FakePopups popups(log);
    components.Popups = &popups;
    int hoverEnds = 0;
    context.Hooks.EndButtonHover = [&hoverEnds] { ++hoverEnds; };
    Create();
    const QPoint point(5, 6);
    const QPoint global = Current().mapToGlobal(point);
    emit Current().mousePressed(point, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    emit Current().mousePressed(point, Qt::RightButton, Qt::RightButton, Qt::ShiftModifier);
    emit Current().mousePressed(point, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    EXPECT_EQ(log,
              QStringList({QStringLiteral("hide popups"), QStringLiteral("hide popups"),
                           QStringLiteral("hide popups"),
                           QStringLiteral("popup -5 at %1,%2").arg(global.x()).arg(global.y())}));
    emit Current().mouseMoved(point, Qt::NoButton, Qt::NoModifier);
    EXPECT_EQ(hoverEnds, 1);
}

// Entries of a tree as a list of page references.
struct FakeChapters : IChapterTree {
    QStringList pages;
    int selected = -1;
    QStringList log;
    int EntryCount() const override { return int(pages.size()); }
    int SelectedEntry() const override { return selected; }
    QString PageReference(int entry) const override { return pages.at(entry); }
    void SelectEntry(int entry) override
    {
        selected = entry;
        log << QStringLiteral("select %1").arg(entry);
    }
    void OpenSelected() override { log << QStringLiteral("open"); }
};

TEST_F(HtmlFramePages, ChaptersStepOverEntriesOfTheSamePage)
{
    Create();
    frame->NextChapter(); // no tree: nothing
    FakeChapters tree;
    tree.pages = {QStringLiteral("a.htm"), QStringLiteral(" a.htm "), QString(),
                  QStringLiteral("b.htm"), QStringLiteral("b.htm"),   QStringLiteral("c.htm")};
    context.ChapterTree = &tree;
    frame->NextChapter();
    EXPECT_EQ(tree.selected, 0);
    frame->NextChapter();
    EXPECT_EQ(tree.selected, 3);
    frame->NextChapter();
    frame->NextChapter();
    frame->NextChapter();
    EXPECT_EQ(tree.selected, 5);
    frame->PrevChapter();
    EXPECT_EQ(tree.selected, 4);
    frame->PrevChapter();
    EXPECT_EQ(tree.selected, 1);
    frame->PrevChapter();
    EXPECT_EQ(tree.selected, 1);
    EXPECT_EQ(tree.log.count(QStringLiteral("open")), 8);

    tree.pages.clear();
    tree.selected = -1;
    tree.log.clear();
    frame->NextChapter();
    EXPECT_TRUE(tree.log.isEmpty());
}

} // namespace
