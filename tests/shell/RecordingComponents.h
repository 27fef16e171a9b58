#pragma once

// Fakes of the shell window and of every component the dispatcher, the key
// map, the instance messages and the drops reach: each call is written to
// one log as "Component.Operation(arguments)", or without parentheses when
// the operation takes none.

#include "components/CommandHost.h"
#include "components/ComponentSet.h"

#include <QStringList>
#include <memory>
#include <ostream>

class QImage;

// Readable failures for texts and lists of calls.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace shelltest {

class CallLog {
public:
    void add(const QString& call) { calls << call; }
    template <typename... Args> void add(const char* name, const Args&... args)
    {
        const QStringList parts{toText(args)...};
        QString call = QString::fromLatin1(name);
        if (sizeof...(Args) > 0) {
            call += QLatin1Char('(') + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        calls << call;
    }
    QStringList calls;

private:
    static QString toText(const QString& text) { return text; }
    static QString toText(const char* text) { return QString::fromUtf8(text); }
    static QString toText(int number) { return QString::number(number); }
    static QString toText(bool flag)
    {
        return flag ? QStringLiteral("true") : QStringLiteral("false");
    }
    static QString toText(QPoint point)
    {
        return QStringLiteral("%1;%2").arg(point.x()).arg(point.y());
    }
    static QString toText(const QRect& rect)
    {
        return QStringLiteral("%1,%2,%3,%4")
            .arg(rect.left())
            .arg(rect.top())
            .arg(rect.right() + 1)
            .arg(rect.bottom() + 1);
    }
};

struct FakePagePanels : IPagePanels {
    explicit FakePagePanels(CallLog& calls) : log(calls) {}
    void ScreenChanged() override { log.add("Panels.ScreenChanged"); }
    void RememberCommandPage(const QString& page) override
    {
        log.add("Panels.RememberCommandPage", page);
    }
    void OpenInPanel(int number, const QString& page) override
    {
        log.add("Panels.OpenInPanel", number, page);
    }
    void GoBack(TDynamicSwthOneArray& s, TDynamicSwthGrpArray& g) override
    {
        log.add("Panels.GoBack", int(s.size()), int(g.size()));
    }
    void GoForward(TDynamicSwthOneArray& s, TDynamicSwthGrpArray& g) override
    {
        log.add("Panels.GoForward", int(s.size()), int(g.size()));
    }
    void OpenFile(const QString& page) override { log.add("Panels.OpenFile", page); }
    void CopyPage() override { log.add("Panels.CopyPage"); }
    void PrintPage(const QString& file) override { log.add("Panels.PrintPage", file); }
    void ScrollToTop() override { log.add("Panels.ScrollToTop"); }
    void NextChapter() override { log.add("Panels.NextChapter"); }
    void PrevChapter() override { log.add("Panels.PrevChapter"); }
    void SelectAll() override { log.add("Panels.SelectAll"); }
    bool IsArchiveMode() const override { return archiveMode; }
    QString CurrentDocument() const override { return document; }
    void LoadInCurrentViewer(const QString& file) override { log.add("Panels.Load", file); }
    bool CurrentViewerShown() const override { return true; }
    void HideCurrentViewer() override { log.add("Panels.HideViewer"); }
    void ShowCurrentViewer() override { log.add("Panels.ShowViewer"); }
    void ReleaseViewerAlignment() override { log.add("Panels.ReleaseAlignment"); }
    void FillPanelWithViewer() override { log.add("Panels.FillPanel"); }
    void SetPicturePrint(bool on) override { log.add("Panels.PicturePrint", on); }
    void SetPictureWidth(int width) override { log.add("Panels.PictureWidth", width); }
    void SetPictureHeight(int height) override { log.add("Panels.PictureHeight", height); }
    QString HistoryFile(int index) const override { return history.value(index); }
    void GoToHistory(int index) override { log.add("Panels.GoToHistory", index); }
    QString CurrentTitle() const override { return QStringLiteral("Title"); }
    int CurrentPosition() const override { return 0; }
    void SetCurrentPosition(int position) override { log.add("Panels.Position", position); }
    void CopySelection() override { log.add("Panels.CopySelection"); }
    void ChooseDefaultFont() override { log.add("Panels.ChooseFont"); }
    QStringList history;
    CallLog& log;
    bool archiveMode = false;
    QString document = QStringLiteral("d:\\run\\index.htm");
};

struct FakeTree : IContentsTree {
    explicit FakeTree(CallLog& calls) : log(calls) {}
    void SetScreenStartFile(const QString& page) override { log.add("Tree.StartFile", page); }
    void SyncWithScreen() override { log.add("Tree.SyncWithScreen"); }
    void SelectNodeOfPage(const QString& target) override { log.add("Tree.SelectNode", target); }
    void SetHiddenByCommand(bool hide) override { log.add("Tree.SetHiddenByCommand", hide); }
    bool TreeHidden() const override { return treeHidden; }
    void SetScreenHidden(bool hidden) override { log.add("Tree.ScreenHidden", hidden); }
    void HideTree() override { log.add("Tree.Hide"); }
    void ShowTree() override { log.add("Tree.Show"); }
    int TreeWidth() const override { return 165; }
    bool FindCaption(const QString& text) override
    {
        log.add("Tree.FindCaption", text);
        return false;
    }
    void UpdateChapterHints() override { log.add("Tree.UpdateChapterHints"); }
    CallLog& log;
    bool treeHidden = false;
};

struct FakePopups : IPopupController {
    explicit FakePopups(CallLog& calls) : log(calls) {}
    void RebuildPopups() override { log.add("Popups.Rebuild"); }
    void ShowPopup(int type, QPoint point) override { log.add("Popups.Show", type, point); }
    void HideAllPopups() override { log.add("Popups.HideAll"); }
    void SetItemCount(int count, int type) override { log.add("Popups.Count", count, type); }
    void AppendItem(const QString& caption, const QString& command, int type) override
    {
        log.add("Popups.Append", caption, command, type);
    }
    void SetItem(const QString& caption, const QString& command, int type, int index) override
    {
        log.add("Popups.Set", caption, command, type, index);
    }
    void ShowItem(bool visible, int type, int index) override
    {
        log.add("Popups.ShowItem", visible, type, index);
    }
    CallLog& log;
};

struct FakeFavorites : IFavorites {
    explicit FakeFavorites(CallLog& calls) : log(calls) {}
    void AddFavorite() override { log.add("Favorites.Add"); }
    CallLog& log;
};

struct FakeClipPlayer : IClipPlayer {
    explicit FakeClipPlayer(CallLog& calls) : log(calls) {}
    void ShowScreenAreas() override { log.add("Clip.ShowScreenAreas"); }
    void PlayClip(const QString& file, const QString& page, int kind) override
    {
        log.add("Clip.PlayClip", file, page, kind);
    }
    void Stop() override { log.add("Clip.Stop"); }
    void SetNotify(bool notify) override { log.add("Clip.SetNotify", notify); }
    void PauseOrResume() override { log.add("Clip.PauseOrResume"); }
    void StepForward() override { log.add("Clip.StepForward"); }
    void StepBack() override { log.add("Clip.StepBack"); }
    void Close() override { log.add("Clip.Close"); }
    CallLog& log;
};

struct FakeSlideShow : ISlideShow {
    explicit FakeSlideShow(CallLog& calls) : log(calls) {}
    void ShowScreenPictures() override { log.add("Slides.ShowScreenPictures"); }
    void NextPicture() override { log.add("Slides.Next"); }
    void PreviousPicture() override { log.add("Slides.Previous"); }
    CallLog& log;
};

struct FakeVideo : IVideoPlayer {
    explicit FakeVideo(CallLog& calls) : log(calls) {}
    void Prepare(QWidget*, QWidget*, const QRect& area, const QString& file) override
    {
        log.add("Video.Prepare", area, file);
    }
    void Set3DMode(bool on) override
    {
        log.add("Video.Set3DMode", on);
        mode3D = on;
    }
    bool IsOpen() const override { return true; }
    bool Mode3D() const override { return mode3D; }
    bool IsHalted() const override { return halted; }
    void Freeze() override { log.add("Video.Freeze"); }
    void PaintFrozenFrame(QImage&) override { log.add("Video.PaintFrozenFrame"); }
    void ResumeUnlessUserPaused() override { log.add("Video.Resume"); }
    CallLog& log;
    bool mode3D = false;
    bool halted = false;
};

struct FakeMusic : IBackgroundMusic {
    explicit FakeMusic(CallLog& calls) : log(calls) {}
    void StartMusic() override { log.add("Music.Start"); }
    void StopMusic(bool fade) override { log.add("Music.Stop", fade); }
    CallLog& log;
};

struct FakeFindPanel : IFindPanel {
    explicit FakeFindPanel(CallLog& calls) : log(calls) {}
    void ShowScreenEdits() override { log.add("Find.ShowScreenEdits"); }
    void FindNext(int number) override { log.add("Find.FindNext", number); }
    void SetPageScope(bool all) override { log.add("Find.SetPageScope", all); }
    void SetIdle(bool flag) override { log.add("Find.SetIdle", flag); }
    bool Idle() const override { return idle; }
    void ShowEdits(bool hide) override { log.add("Find.ShowEdits", hide); }
    CallLog& log;
    bool idle = true;
};

struct FakePathInputs : IPathInputs {
    explicit FakePathInputs(CallLog& calls) : log(calls) {}
    void ScreenChanged() override { log.add("Paths.ScreenChanged"); }
    QString InstallFolder() const override { return QStringLiteral("c:\\Демо\\"); }
    void ShowInStandardWindow(bool shown) override { log.add("Paths.StandardWindow", shown); }
    CallLog& log;
};

struct FakeDialog : ISkinnedDialog {
    explicit FakeDialog(CallLog& calls) : log(calls) {}
    void ShowDialogPage(int page, const QString& message) override
    {
        log.add("Dialog.ShowPage", page, message);
    }
    bool IsVisible() const override { return visible; }
    void Close() override { log.add("Dialog.Close"); }
    CallLog& log;
    bool visible = false;
};

struct FakeServices : IAboutBox, IOptionsWindow, IFontInstaller, IGames, IArchiveBrowser {
    explicit FakeServices(CallLog& calls) : log(calls) {}
    void ShowModal() override { log.add("About.ShowModal"); }
    void ShowOptions() override { log.add("Options.Show"); }
    void InstallFonts() override { log.add("Fonts.Install"); }
    void RunGame(const QString& setup, const QString& key) override
    {
        log.add("Games.RunGame", setup, key);
    }
    void RemoveGame(const QString& key) override { log.add("Games.RemoveGame", key); }
    void OpenArchiveBrowser(const QString& archive, const QString& origin) override
    {
        log.add("Archive.Open", archive, origin);
    }
    void ExtractArchive(const QString& target, bool direct) override
    {
        log.add("Archive.Extract", target, direct);
    }
    CallLog& log;
};

struct FakeThesaurusSearch : IThesaurusSearch {
    FakeThesaurusSearch(CallLog& calls, QString found) : log(calls), page(std::move(found)) {}
    void SetIndexFolder(const QString& folder) override { log.add("Thesaurus.Folder", folder); }
    bool FindPage(const QString& word, QString& found) override
    {
        log.add("Thesaurus.FindPage", word);
        found = page;
        return !page.isEmpty();
    }
    CallLog& log;
    QString page;
};

// Every component present, logging into one list.
struct RecordingComponents {
    explicit RecordingComponents(CallLog& log)
        : panels(log), tree(log), popups(log), favorites(log), clip(log), slides(log), video(log),
          music(log), find(log), paths(log), dialog(log), services(log)
    {
        set.PagePanels = &panels;
        set.Tree = &tree;
        set.Popups = &popups;
        set.Favorites = &favorites;
        set.FindPanel = &find;
        set.PathInputs = &paths;
        set.ClipPlayer = &clip;
        set.SlideShow = &slides;
        set.Music = &music;
        set.Dialog = &dialog;
        set.Options = &services;
        set.FontInstaller = &services;
        set.Games = &services;
        set.ArchiveBrowser = &services;
        set.CreateVideoPlayer = [this, &log] {
            log.add("CreateVideoPlayer");
            return &video;
        };
        set.CreateAboutBox = [this, &log] {
            log.add("CreateAboutBox");
            return static_cast<IAboutBox*>(&services);
        };
        set.CreateThesaurusSearch = [this, &log]() -> std::unique_ptr<IThesaurusSearch> {
            return std::make_unique<FakeThesaurusSearch>(log, thesaurusPage);
        };
        set.ShowHelp = [&log](const QString& file, const QString& topic) {
            log.add("Help", file, topic);
        };
        set.ShowStandardWindow = [&log] { log.add("StandardWindow"); };
    }

    FakePagePanels panels;
    FakeTree tree;
    FakePopups popups;
    FakeFavorites favorites;
    FakeClipPlayer clip;
    FakeSlideShow slides;
    FakeVideo video;
    FakeMusic music;
    FakeFindPanel find;
    FakePathInputs paths;
    FakeDialog dialog;
    FakeServices services;
    QString thesaurusPage;
    TComponentSet set;
};

} // namespace shelltest
