#include "shell/CommandDispatcher.h"

#include "RecordingHost.h"
#include "data/Busy.h"
#include "data/ProcessPaths.h"
#include "platform/Instances.h"
#include "platform/SoundPlayer.h"

#include <gtest/gtest.h>

using shelltest::CallLog;
using shelltest::RecordingComponents;
using shelltest::RecordingHost;

namespace {

class RecordingSounds : public ISoundPlayer {
public:
    explicit RecordingSounds(QStringList& played) : played_(played) {}
    void PlayAsync(const QString& path) override { played_ << QStringLiteral("async ") + path; }
    void PlayAndWait(const QString& path) override { played_ << QStringLiteral("wait ") + path; }

private:
    QStringList& played_;
};

// One request and the calls it must cause, in order.
struct Row {
    const char* command;
    int index;
    int kind;
    QStringList calls;
};

class CommandDispatcherTest : public testing::Test {
protected:
    void SetUp() override
    {
        Paths().AppDir = QStringLiteral("d:\\run\\");
        Paths().CdRoot = QStringLiteral("d:\\");
        SetSoundPlayer(std::make_unique<RecordingSounds>(played));
        host.resources << QStringLiteral("About.cfs");
        host.addButton(1, QStringLiteral("historyback"), QRect(QPoint(100, 500), QPoint(139, 529)));
        host.addButton(1, QStringLiteral("back"), QRect(QPoint(150, 500), QPoint(189, 529)));
        host.addSwitch(1, QStringLiteral("tree1"), QStringLiteral("tree2"), true, QPoint(10, 10));
    }
    void TearDown() override
    {
        SetSoundPlayer(nullptr);
        SetBusy(false);
        for (const TWindowHandle handle : registered) {
            WindowRegistry::instance().Unregister(handle);
        }
    }

    TWindowHandle window(const QString& caption, bool visible, int& closes)
    {
        WindowRegistry::Window entry;
        entry.caption = [caption] { return caption; };
        entry.visible = [visible] { return visible; };
        entry.close = [&closes] { ++closes; };
        registered << WindowRegistry::instance().Register(entry);
        return registered.last();
    }

    QStringList run(const QString& command, int index = 0, int kind = 0, int silent = 1,
                    const QString& sound = QString())
    {
        log.calls.clear();
        QString text = command;
        QString wave = sound;
        dispatcher.ExecuteCommand(text, wave, index, kind, silent);
        return log.calls;
    }

    void expectRows(const QList<Row>& rows)
    {
        for (const Row& row : rows) {
            EXPECT_EQ(run(QString::fromUtf8(row.command), row.index, row.kind), row.calls)
                << "command " << row.command << " kind " << row.kind;
            host.screen = 1;
        }
    }

    QStringList played;
    QList<TWindowHandle> registered;
    CallLog log;
    RecordingHost host{log};
    RecordingComponents components{log};
    TCommandDispatcher dispatcher{host, components.set};
};

TEST_F(CommandDispatcherTest, EveryRowCallsItsOperationWithItsArguments)
{
    expectRows({
        {"screen2=index.htm",
         4,
         0,
         {"Tree.StartFile(d:\\run\\index.htm)", "SwitchScreen(1, 4, 0)"}},
        {"2d", 0, 0, {}},
        {"3d",
         0,
         0,
         {"CreateVideoPlayer", "Video.Prepare(31,135,687,394, car.avi)", "Video.Set3DMode(true)"}},
        {"2d", 0, 0, {"Video.Set3DMode(false)"}},
        {"about", 0, 0, {"CreateAboutBox", "About.ShowModal"}},
        {"minimize", 3, 0, {"Minimize", "ClearButton(3)"}},
        {"tree1", 0, 1, {"Tree.Hide", "Tree.ScreenHidden(true)"}},
        {"tree2",
         0,
         1,
         {"Panels.ReleaseAlignment", "Tree.Show", "Splitter(166)", "Panels.FillPanel",
          "Tree.ScreenHidden(false)"}},
        {"ontree", 0, 1, {"Panels.HideViewer", "Panels.ShowViewer"}},
        {"offtree",
         0,
         1,
         {"Panels.HideViewer", "Tree.SetHiddenByCommand(true)", "Panels.ShowViewer"}},
        {"historyback", 0, 0, {"Popups.Show(-1, 1140;2530)"}},
        {"historyforward", 0, 0, {"Popups.Show(-2, 1100;2530)"}},
        {"showfavorite", 1, 0, {"Popups.Show(-3, 1150;2530)"}},
        {"addtofavorite", 0, 0, {"Favorites.Add"}},
        {"deletefromfavorite", 0, 0, {"Popups.Show(-4, 1100;2530)"}},
        {"tesaurus", 0, 0, {"Thesaurus.Folder(d:\\run\\)", "Thesaurus.FindPage()"}},
        {"contextmenu3", 0, 0, {"Popups.Show(3, 7;9)"}},
        {"back", 0, 0, {"Panels.GoBack(1, 0)", "Tree.SelectNode()"}},
        {"forward", 0, 0, {"Panels.GoForward(1, 0)", "Tree.SelectNode()"}},
        {"html2=pages\\engine.htm",
         0,
         0,
         {"Panels.RememberCommandPage(d:\\run\\pages\\engine.htm)",
          "Panels.OpenInPanel(2, d:\\run\\pages\\engine.htm)"}},
        {"copyhtml", 0, 0, {"Panels.CopyPage"}},
        {"printhtml", 0, 0, {"Panels.PrintPage()"}},
        {"tophtml", 0, 0, {"Panels.ScrollToTop"}},
        {"nextchapter", 0, 0, {"Panels.NextChapter"}},
        {"prevchapter", 0, 0, {"Panels.PrevChapter"}},
        {"findnext1", 0, 0, {"Dialog.ShowPage(1, )"}},
        {"findtxtall", 0, 2, {"Find.SetPageScope(true)"}},
        {"findtxtlimit", 0, 2, {"Find.SetPageScope(false)"}},
        {"caseon", 0, 1, {"CaseSensitive(true)"}},
        {"caseoff", 0, 1, {"CaseSensitive(false)"}},
        {"bgsound", 0, 0, {"Clip.Close", "BGSound(true)", "Music.Start"}},
        {"bgsound", 0, 0, {"Music.Stop(true)", "BGSound(false)"}},
        {"standartwin", 0, 0, {"StandardWindow"}},
        {"options", 0, 0, {"Options.Show"}},
        {"help", 0, 0, {"Help(d:\\run\\справка.htm, Topic13)"}},
        {"unarc", 0, 0, {"Dialog.ShowPage(0, Выберите файл для распаковки.)"}},
        {"play", 0, 0, {"Clip.PlayClip(, , 0)"}},
        {"stop", 0, 0, {"Clip.Stop"}},
        {"pause", 0, 0, {"Clip.SetNotify(false)", "Clip.PauseOrResume"}},
        {"stepforward", 0, 0, {"Clip.StepForward"}},
        {"stepback", 0, 0, {"Clip.StepBack"}},
        {"clip=movie.avi=page.htm",
         0,
         0,
         {"Clip.PlayClip(d:\\run\\movie.avi, d:\\run\\page.htm, 4)"}},
        {"nextpic", 0, 0, {"Slides.Next"}},
        {"prevpic", 0, 0, {"Slides.Previous"}},
        {"installfonts", 0, 0, {"Fonts.Install"}},
        {"rungame=setup.exe=Venk", 0, 0, {"Games.RunGame(d:\\run\\setup.exe, Venk)"}},
        {"delgame=Venk", 0, 0, {"Games.RemoveGame(Venk)"}},
        {"3", 2, 1, {"Tree.StartFile()", "SwitchScreen(2, 2, 1)"}},
    });
}

TEST_F(CommandDispatcherTest, RowsTakeTheirAlternativeBranches)
{
    components.tree.treeHidden = true;
    components.panels.archiveMode = true;
    host.thesaurusMode = true;
    host.screen = 0;
    expectRows({
        {"ontree",
         0,
         1,
         {"Panels.HideViewer", "Tree.SetHiddenByCommand(false)", "Panels.ShowViewer"}},
        {"offtree", 0, 1, {"Panels.HideViewer", "Panels.ShowViewer"}},
        {"tree1", 0, 1, {"Tree.ScreenHidden(true)"}},
        {"tree2", 0, 1, {"Tree.ScreenHidden(false)"}},
        {"findnext12", 0, 0, {"Find.FindNext(12)"}},
        {"unarc", 0, 0, {"Archive.Extract(c:\\Демо\\, false)"}},
        {"about", 0, 0, {"CreateAboutBox", "About.ShowModal"}},
        {"about", 0, 0, {"About.ShowModal"}},
        {"minimize", 3, 2, {"Minimize"}},
    });
    host.screen = 0;
    EXPECT_EQ(run(QStringLiteral("help")), QStringList{"Help(d:\\run\\справка.htm, Topic12)"});
    host.screen = 2;
    EXPECT_EQ(run(QStringLiteral("help")), QStringList{});
}

TEST_F(CommandDispatcherTest, NumbersAndKeywordsFollowTheCommandText)
{
    expectRows({
        {"html=a1.htm",
         0,
         0,
         {"Panels.RememberCommandPage(d:\\run\\a1.htm)", "Panels.OpenInPanel(1, d:\\run\\a1.htm)"}},
        {"html=index.htm",
         0,
         0,
         {"Panels.RememberCommandPage(d:\\run\\index.htm)",
          "Panels.OpenInPanel(-1, d:\\run\\index.htm)"}},
        {"HTML1=<cd>a.htm",
         0,
         0,
         {"Panels.RememberCommandPage(d:\\a.htm)", "Panels.OpenInPanel(1, d:\\a.htm)"}},
        {"SCREEN2=pages\\a.htm",
         0,
         0,
         {"Tree.StartFile(d:\\run\\pages\\a.htm)", "SwitchScreen(1, 0, 0)"}},
        {"screen2=tree1.htm",
         0,
         0,
         {"Tree.StartFile(d:\\run\\tree1.htm)", "SwitchScreen(1, 0, 0)"}},
        {"screen9=a.htm", 0, 0, {"Tree.StartFile(d:\\run\\a.htm)"}},
        {"screen1", 0, 0, {"Tree.StartFile()", "SwitchScreen(0, 0, 0)"}},
        {"1", 5, 0, {"Tree.StartFile()", "SwitchScreen(0, 5, 0)"}},
        {"4", 0, 0, {}},
        {"0", 0, 0, {}},
        {"-1", 0, 0, {}},
        {"Minimize", 0, 0, {}},
        {"nothing at all", 0, 0, {}},
        {"htmlclip=x.avi",
         0,
         0,
         {"Panels.RememberCommandPage(d:\\run\\x.avi)", "Panels.OpenInPanel(-1, d:\\run\\x.avi)"}},
        {"clip=x.avi", 0, 0, {"Clip.PlayClip(d:\\run\\x.avi, , 4)"}},
        {"showtree1", 0, 0, {"Tree.Hide", "Tree.ScreenHidden(true)"}},
        {"rungamesetup.exe=Key", 0, 0, {}},
    });
}

TEST_F(CommandDispatcherTest, ButtonOnlyRowsIgnoreSwitchesAndGroups)
{
    for (const int kind : {1, 2}) {
        for (const char* command : {"contextmenu3", "historyback", "historyforward", "showfavorite",
                                    "deletefromfavorite", "bgsound"}) {
            EXPECT_TRUE(run(QString::fromLatin1(command), 0, kind).isEmpty())
                << command << " from kind " << kind;
        }
    }
    EXPECT_TRUE(run(QStringLiteral("historyback"), 7, 0).isEmpty()) << "no such button";
    EXPECT_EQ(run(QStringLiteral("contextmenu3"), 0, 0, 1), QStringList{"Popups.Show(3, 7;9)"})
        << "links and popup items come as kind 0";
}

TEST_F(CommandDispatcherTest, ASearchThatRunsStopsWithItsDialogBeforeANumberedSwitch)
{
    components.dialog.visible = true;
    EXPECT_EQ(run(QStringLiteral("2"), 0, 0),
              (QStringList{"Find.SetIdle(true)", "Dialog.Close", "Tree.StartFile()",
                           "SwitchScreen(1, 0, 0)"}));
    EXPECT_EQ(run(QStringLiteral("screen2=a.htm"), 0, 0),
              (QStringList{"Tree.StartFile(d:\\run\\a.htm)", "SwitchScreen(1, 0, 0)"}));
    EXPECT_TRUE(run(QStringLiteral("7"), 0, 0).isEmpty());
}

TEST_F(CommandDispatcherTest, WithoutComponentsEveryRowDoesOnlyTheShellsPart)
{
    TComponentSet none;
    TCommandDispatcher bare(host, none);
    const char* commands[] = {"screen2=a.htm",
                              "2d",
                              "3d",
                              "about",
                              "tree1",
                              "tree2",
                              "ontree",
                              "offtree",
                              "historyback",
                              "historyforward",
                              "showfavorite",
                              "addtofavorite",
                              "deletefromfavorite",
                              "tesaurus",
                              "contextmenu1",
                              "back",
                              "forward",
                              "html1=a.htm",
                              "copyhtml",
                              "printhtml",
                              "tophtml",
                              "nextchapter",
                              "prevchapter",
                              "findnext1",
                              "findtxtall",
                              "findtxtlimit",
                              "standartwin",
                              "options",
                              "help",
                              "unarc",
                              "play",
                              "stop",
                              "pause",
                              "stepforward",
                              "stepback",
                              "clip=a.avi=b.htm",
                              "nextpic",
                              "prevpic",
                              "installfonts",
                              "rungame=s.exe=k",
                              "delgame=k"};
    auto runBare = [&](const QString& command) {
        log.calls.clear();
        host.screen = 0;
        QString text = command;
        QString sound;
        bare.ExecuteCommand(text, sound, 0, 0, 1);
        return log.calls;
    };
    for (const char* command : commands) {
        const QString text = QString::fromLatin1(command);
        const QStringList expected = text.startsWith(QLatin1String("screen"))
                                         ? QStringList{"SwitchScreen(1, 0, 0)"}
                                         : QStringList{};
        EXPECT_EQ(runBare(text), expected) << command;
    }
    EXPECT_EQ(none.VideoPlayer, nullptr);
    EXPECT_EQ(runBare(QStringLiteral("bgsound")), QStringList{"BGSound(true)"});
    EXPECT_EQ(runBare(QStringLiteral("bgsound")), QStringList{"BGSound(false)"});
}

TEST_F(CommandDispatcherTest, NothingRunsWhileBusy)
{
    int closes = 0;
    window(QStringLiteral("Демонстрационный диск"), true, closes);
    SetBusy(true);
    for (const char* command :
         {"exit", "minimize", "2", "html1=a.htm", "screen2=a.htm", "bgsound"}) {
        EXPECT_TRUE(
            run(QString::fromLatin1(command), 0, 0, 0, QStringLiteral("click.wav")).isEmpty())
            << command;
    }
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(played.isEmpty());
}

TEST_F(CommandDispatcherTest, ExitClosesTheVisibleShellWindowAndRemembersTheButton)
{
    int hiddenCloses = 0;
    int shellCloses = 0;
    int otherCloses = 0;
    window(QStringLiteral("ДЕМОНСТРАЦИОННЫЙ ДИСК"), true, shellCloses);
    window(QStringLiteral("Демонстрационный диск"), false, hiddenCloses);
    window(QStringLiteral("Тезаурус"), true, otherCloses);
    EXPECT_EQ(run(QStringLiteral("exit"), 3, 0, 0, QStringLiteral("bye.wav")),
              QStringList{"ExitButton(3)"});
    EXPECT_EQ(shellCloses, 1);
    EXPECT_EQ(hiddenCloses, 0);
    EXPECT_EQ(otherCloses, 0);
    EXPECT_TRUE(played.isEmpty()) << "exit plays no click sound";

    EXPECT_TRUE(run(QStringLiteral("exit"), 5, 1, 0).isEmpty()) << "only buttons are remembered";
    EXPECT_EQ(shellCloses, 2);
}

TEST_F(CommandDispatcherTest, ExitHoldsAPlayingThreeDClipOnly)
{
    components.set.VideoPlayer = &components.video;
    components.video.mode3D = true;
    EXPECT_EQ(run(QStringLiteral("exit"), 2, 0), (QStringList{"Video.Freeze", "ExitButton(2)"}));
    components.video.halted = true;
    EXPECT_EQ(run(QStringLiteral("exit"), 2, 0), QStringList{"ExitButton(2)"});
    components.video.halted = false;
    components.video.mode3D = false;
    EXPECT_EQ(run(QStringLiteral("exit"), 2, 0), QStringList{"ExitButton(2)"});
}

TEST_F(CommandDispatcherTest, ClickSoundsPlayOnlyForLoudRequestsWithASoundWhileSwitchedOn)
{
    run(QStringLiteral("nothing"), 0, 0, 0, QStringLiteral("click.wav"));
    EXPECT_EQ(played, QStringList{"async d:\\run\\click.wav"});
    played.clear();
    run(QStringLiteral("nothing"), 0, 0, 1, QStringLiteral("click.wav"));
    run(QStringLiteral("nothing"), 0, 0, 0, QStringLiteral("no"));
    run(QStringLiteral("nothing"), 0, 0, 0, QString());
    host.soundsOn = false;
    run(QStringLiteral("nothing"), 0, 0, 0, QStringLiteral("click.wav"));
    EXPECT_TRUE(played.isEmpty());
}

} // namespace
