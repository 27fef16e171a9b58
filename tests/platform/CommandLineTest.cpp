#include "platform/CommandLine.h"

#include "TempDir.h"

#include <gtest/gtest.h>

namespace {
const QString kProgram = QStringLiteral("d:\\run\\discshell.exe");
}

TEST(CommandLine, OurOptionsAreTakenOffAnywhereBeforeDoubleDash)
{
    const CommandLine line =
        CommandLine::parse({"page.htm", "--disc", "/media/cd/run", "/h", "--disc-root=/media/cd",
                            "--version", "--", "--help", "--disc=x"});
    EXPECT_EQ(line.disc, QStringLiteral("/media/cd/run"));
    EXPECT_EQ(line.discRoot, QStringLiteral("/media/cd"));
    EXPECT_TRUE(line.version);
    EXPECT_FALSE(line.help);
    EXPECT_EQ(line.arguments, QStringList({"page.htm", "/h", "--help", "--disc=x"}));
    EXPECT_EQ(line.argumentCount(), 4);
    EXPECT_TRUE(line.error.isEmpty());

    const CommandLine plain = CommandLine::parse({"--disc=/a b", "--help"});
    EXPECT_EQ(plain.disc, QStringLiteral("/a b"));
    EXPECT_TRUE(plain.help);
    EXPECT_EQ(plain.argumentCount(), 0);

    const CommandLine missing = CommandLine::parse({"x", "--disc-root"});
    EXPECT_FALSE(missing.error.isEmpty());
    EXPECT_EQ(missing.arguments, QStringList{"x"});
}

TEST(CommandLine, ALoneDiscFolderBecomesTheDisc)
{
    const auto isDisc = [](const QString& argument) { return argument == "/media/cd/run"; };
    EXPECT_EQ(CommandLine::withDiscFolderOption({"/media/cd/run"}, isDisc),
              QStringList{"--disc=/media/cd/run"});
    EXPECT_EQ(
        CommandLine::withDiscFolderOption({"--disc-root", "/media/cd", "/media/cd/run"}, isDisc),
        (QStringList{"--disc-root", "/media/cd", "--disc=/media/cd/run"}));
    const QList<QStringList> unchanged = {{"/media/cd/page.htm"},
                                          {"/media/cd/run", "/h"},
                                          {"--disc", "/other", "/media/cd/run"},
                                          {"--", "/media/cd/run"},
                                          {"--disc"},
                                          {}};
    for (const QStringList& arguments : unchanged) {
        EXPECT_EQ(CommandLine::withDiscFolderOption(arguments, isDisc), arguments)
            << arguments.join(' ').toStdString();
    }
}

TEST(CommandLine, RawLineQuotesTheProgramAndBlankArguments)
{
    EXPECT_EQ(CommandLine::rawCommandLine(kProgram, {}),
              QStringLiteral("\"d:\\run\\discshell.exe\""));
    EXPECT_EQ(CommandLine::rawCommandLine(kProgram, {"d:\\x\\my page.htm", "/h", ""}),
              QStringLiteral("\"d:\\run\\discshell.exe\" \"d:\\x\\my page.htm\" /h \"\""));
}

TEST(CommandLine, HostFilesBecomeDriveZPaths)
{
    TempDir dir;
    const QString file = dir.write(QStringLiteral("Страница.htm"), "x");
    EXPECT_EQ(CommandLine::windowsArgument(file),
              dir.virtualPath() + QStringLiteral("Страница.htm"));
    EXPECT_EQ(CommandLine::windowsArgument(QStringLiteral("/home/nobody/missing.htm")),
              QStringLiteral("z:\\home\\nobody\\missing.htm"));
    EXPECT_EQ(CommandLine::windowsArgument(QStringLiteral("/t")), QStringLiteral("/t"));
    EXPECT_EQ(CommandLine::windowsArgument(QStringLiteral("/h")), QStringLiteral("/h"));
    EXPECT_EQ(CommandLine::windowsArgument(QStringLiteral("d:\\x/y.htm")),
              QStringLiteral("d:\\x/y.htm"));
    EXPECT_EQ(CommandLine::windowsArgument(QStringLiteral("no-such-word")),
              QStringLiteral("no-such-word"));
}

TEST(CommandLine, ThesaurusModeMatchesSlashTAnywhere)
{
    EXPECT_TRUE(CommandLine::isThesaurusMode(QStringLiteral("\"d:\\run\\discshell.exe\" /t")));
    EXPECT_TRUE(CommandLine::isThesaurusMode(QStringLiteral("\"p\" d:\\x/text.htm")));
    EXPECT_FALSE(CommandLine::isThesaurusMode(QStringLiteral("\"p\" d:\\x\\text.htm /T")));
}

TEST(CommandLine, ViewerFileFollowsTheQuoteBlankRule)
{
    auto request = CommandLine::viewerRequest(
        QStringLiteral("\"d:\\run\\discshell.exe\" \"d:\\x\\page.htm\""), kProgram);
    EXPECT_EQ(request.file, QStringLiteral("d:\\x\\page.htm"));
    EXPECT_FALSE(request.helpMode);

    request = CommandLine::viewerRequest(
        QStringLiteral("d:\\run\\discshell.exe d:\\x\\page.htm /h"), kProgram);
    EXPECT_EQ(request.file, QStringLiteral("d:\\x\\page.htm"));
    EXPECT_TRUE(request.helpMode);

    // Without quotes the program is removed by its length, however it was spelled.
    request =
        CommandLine::viewerRequest(QStringLiteral("d:\\run\\disc.exe d:\\x\\page.htm"), kProgram);
    EXPECT_EQ(request.file, QStringLiteral("\\page.htm"));
    request = CommandLine::viewerRequest(QStringLiteral("d:\\RUN\\..\\run\\discshell.exe a.htm"),
                                         kProgram);
    EXPECT_EQ(request.file, QStringLiteral("ell.exe a.htm"));

    // Blanks inside the file stay; " /h" is taken out wherever it is.
    request = CommandLine::viewerRequest(
        CommandLine::rawCommandLine(kProgram, {"z:\\home\\my pages\\a b.htm", "/h"}), kProgram);
    EXPECT_EQ(request.file, QStringLiteral("z:\\home\\my pages\\a b.htm"));
    EXPECT_TRUE(request.helpMode);
    request = CommandLine::viewerRequest(QStringLiteral("\"p\"   \t"), kProgram);
    EXPECT_EQ(request.file, QString());
    request = CommandLine::viewerRequest(QStringLiteral("\"p\" a /hb"), kProgram);
    EXPECT_EQ(request.file, QStringLiteral("ab"));
    EXPECT_TRUE(request.helpMode);
}

TEST(CommandLine, OtherInstancesGetTheDiscPassedOn)
{
    const QStringList arguments =
        CommandLine::instanceArguments(QStringLiteral("/media/cd/run"), QString(), {"/t"});
    EXPECT_EQ(arguments, QStringList({"--disc", "/media/cd/run", "--", "/t"}));
    const CommandLine reparsed = CommandLine::parse(
        CommandLine::instanceArguments(QStringLiteral("/d"), QStringLiteral("/"), {"--help"}));
    EXPECT_EQ(reparsed.disc, QStringLiteral("/d"));
    EXPECT_EQ(reparsed.discRoot, QStringLiteral("/"));
    EXPECT_FALSE(reparsed.help);
    EXPECT_EQ(reparsed.arguments, QStringList{"--help"});
}
