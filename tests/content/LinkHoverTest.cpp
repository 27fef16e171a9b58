#include "LinkFixture.h"
#include "platform/Registry.h"

// The status bar texts of the standard window over every form of link.

namespace {

struct HoverCase {
    const char* name;
    const char* url;
    const char* target;
    const char* text;
};

void PrintTo(const HoverCase& hover, std::ostream* out)
{
    *out << hover.name;
}

struct FakeInstallFolder : IPathInputs {
    void ScreenChanged() override {}
    QString InstallFolder() const override { return QStringLiteral("c:\\Игры\\"); }
};

class LinkHover : public LinkFixture, public ::testing::WithParamInterface<HoverCase> {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        Registry& registry = disc.registry();
        const QString games = QStringLiteral("SOFTWARE\\Venkarro\\");
        registry.writeString(RegistryHive::LocalMachine, games + QStringLiteral("Race"),
                             QStringLiteral("exename"), QStringLiteral("race.exe"));
        registry.writeString(RegistryHive::LocalMachine, games + QStringLiteral("Race"),
                             QStringLiteral("instdir"), QStringLiteral("c:\\games\\race"));
        registry.writeString(RegistryHive::LocalMachine, games + QStringLiteral("Half"),
                             QStringLiteral("instdir"), QStringLiteral("c:\\games\\half"));
        context.Hooks.StandardWindowShown = [this] { return standard; };
        context.Hooks.SetStatusBarText = [this](const QString& text) { shown << text; };
        components.PathInputs = &folder;
    }
    // The text shown, or "<none>" when the status bar was not touched.
    QString Hover(const QString& url, const QString& target = QString())
    {
        shown.clear();
        links->LinkHover(viewer.get(), target, url);
        return shown.isEmpty() ? QStringLiteral("<none>") : shown.join(QLatin1Char('|'));
    }

    FakeInstallFolder folder;
    bool standard = true;
    QStringList shown;
};

TEST_P(LinkHover, TellsAboutTheLink)
{
    const HoverCase& hover = GetParam();
    EXPECT_EQ(Hover(QString::fromUtf8(hover.url), QString::fromUtf8(hover.target)),
              QString::fromUtf8(hover.text));
}

INSTANTIATE_TEST_SUITE_P(
    EveryForm, LinkHover,
    ::testing::Values(
        HoverCase{"Anchor", "#Part2", "", "d:\\run\\html\\links.htm#Part2"},
        HoverCase{"Copy", "copy:Files/Tool.TXT", "",
                  "Копирование файла \"d:\\run\\html\\files\\tool.txt\" в каталог \"c:\\Игры\\\""},
        HoverCase{"InstalledGame", "rungame:=setup.exe=race", "", "Запустить игру"},
        HoverCase{"GameWithoutProgram", "rungame:=setup.exe=Half", "", "Установить игру"},
        HoverCase{"UnknownGame", "rungame:=setup.exe=Nope", "", "Установить игру"},
        HoverCase{"RemovableGame", "delgame:=Half", "", "Удалить игру"},
        HoverCase{"GameNotInstalled", "delgame:=Nope", "", "Игра не установлена"},
        HoverCase{"Web", "http://example.org/A", "", "http://example.org/A"},
        HoverCase{"OtherProtocol", "ftp://host/File", "", "ftp://host/File"},
        HoverCase{"Mail", "mailto:me@example.org", "", "mailto:me@example.org"},
        HoverCase{"RootedLink", "/Pages/A.htm", "", "/Pages/A.htm"},
        HoverCase{"Page", "Sub/Page.HTM", "", "d:\\run\\html\\Sub\\Page.HTM"},
        HoverCase{"PageInFrame", "Sub/Page.HTM", "Main",
                  "Url: d:\\run\\html\\Sub\\Page.HTM  Target: Main"},
        HoverCase{"LeftTheLink", "", "Main", ""}),
    [](const ::testing::TestParamInfo<HoverCase>& param) { return std::string(param.param.name); });

TEST_F(LinkHover, CopyWithoutInstallFolderNamesTheFile)
{
    components.PathInputs = nullptr;
    EXPECT_EQ(Hover(QStringLiteral("copy:Tool.txt")), QStringLiteral("d:\\run\\html\\tool.txt"));
}

TEST_F(LinkHover, ArchiveListingClearsTheText)
{
    panels.archive = true;
    EXPECT_EQ(Hover(QStringLiteral("member.htm"), QStringLiteral("Bot")), QString());
}

TEST_F(LinkHover, SkinnedWindowHasNoStatusBar)
{
    standard = false;
    EXPECT_EQ(Hover(QStringLiteral("page.htm")), QStringLiteral("<none>"));
}

// Reading a game's key never creates it.
TEST_F(LinkHover, GameKeysAreOnlyRead)
{
    Hover(QStringLiteral("rungame:=setup.exe=Nope"));
    EXPECT_FALSE(disc.registry().keyExists(RegistryHive::LocalMachine,
                                           QStringLiteral("SOFTWARE\\Venkarro\\Nope")));
}

} // namespace
