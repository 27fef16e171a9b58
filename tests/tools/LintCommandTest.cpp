#include "CraftedDisc.h"
#include "ToolRunner.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QString SystemButtons =
    QStringLiteral("minimize\nvx=1;vy=1;fn1=m.bmp;fn2=m.bmp;fn3=m.bmp;hint=m;wav=no\n"
                   "close\nvx=2;vy=2;fn1=x.bmp;fn2=x.bmp;fn3=x.bmp;hint=x;wav=no\n");
const QString GoodButton =
    QStringLiteral("button 1\nvx=1;vy=1;fn1=b.bmp;fn2=b.bmp;fn3=b.bmp;go=exit;hint=h;wav=no\n");
const QStringList Pictures = {"m.bmp", "x.bmp", "b.bmp", "main.bmp"};

struct Lint {
    int status = -1;
    QStringList warnings;
};

Lint lint(const QString& structText, const QStringList& pictures = Pictures)
{
    CraftedDisc disc;
    if (!disc.make(structText, pictures)) {
        ADD_FAILURE() << "cannot pack the disc";
        return {};
    }
    const ToolResult run = runTool({"lint", disc.folder()});
    return {run.status, run.outLines()};
}

// The warnings that contain a text.
QStringList matching(const Lint& result, const QString& text)
{
    return result.warnings.filter(text);
}

TEST(LintDisc, ACleanDiscHasNoWarnings)
{
    const Lint result = lint(SystemButtons + QStringLiteral("1_screen=main.bmp\n") + GoodButton);
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.warnings.isEmpty()) << result.warnings.join('\n').toStdString();
}

TEST(LintDisc, MissingPicturesAreNamedOnceWithTheirFirstUser)
{
    const Lint result =
        lint(SystemButtons + QStringLiteral("icon=app.ico\n1_screen=main.bmp\n") + GoodButton +
             QStringLiteral(
                 "button 1\nvx=1;vy=1;fn1=b.bmp;fn2=gone.bmp;fn3=gone.bmp;go=a;hint=h;wav=no\n"
                 "button 1\nvx=1;vy=1;fn1=b.bmp;fn2=b.bmp;fn3=;go=a;hint=h;wav=no\n"
                 "_popup 1\nxfon=1\nyfon=1\nfnfon=pop.bmp\nxbtn=1\nybtn=1\n"
                 "fnbtnup=[b.bmp]\nfnbtnmove=[b.bmp]\nfnbtndown=[item_dn.bmp]\nfontup=a\n"
                 "sizeup=1\nstyleup=a\ncolorup=0,0,0\nfontmv=a\nsizemv=1\nstylemv=a\n"
                 "colormv=0,0,0\ncaption=[a]\ngo=[a]\nparent=a\ntype=5\nvertex=[0,0]\n"
                 "_screen=second.bmp;2\n"));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(matching(result, "\"app.ico\"").size(), 1);
    const QStringList gone = matching(result, "\"gone.bmp\"");
    ASSERT_EQ(gone.size(), 1);
    EXPECT_TRUE(gone[0].contains("screen 1, button 4 (PicMv)")) << gone[0].toStdString();
    EXPECT_TRUE(gone[0].contains("used 2 times"));
    EXPECT_EQ(matching(result, "button 5 (PicDn) names no picture").size(), 1);
    EXPECT_EQ(matching(result, "\"pop.bmp\"").size(), 1);
    EXPECT_EQ(matching(result, "\"item_dn.bmp\"").size(), 1);
    EXPECT_EQ(matching(result, "\"second.bmp\" of screen 2 (background)").size(), 1);
    EXPECT_TRUE(matching(result, "\"b.bmp\"").isEmpty());
    EXPECT_TRUE(matching(result, "\"main.bmp\"").isEmpty());
}

TEST(LintDisc, SectionProblemsCarryTheirLine)
{
    const Lint result = lint(SystemButtons + QStringLiteral("1_screen=main.bmp\n") +
                             QStringLiteral("_html\nvx=1;vy=1;vw=2;vh=2;fn=a.htm;number=1\n") +
                             QStringLiteral("button 1\nvx=1;vy=1;fn1=b.bmp;fn2=b.bmp;fn3=b.bmp\n"
                                            "go=minimize\nhint=h\nwav=no\n") +
                             QStringLiteral("_clip 1\nvx=1;vy=1;vw=2;vh=2;bgcolor=0,0,0\n"));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(matching(result, "Struct.cfs:6: warning: section \"_html\" has no screen").size(), 1);
    EXPECT_EQ(matching(result, "Struct.cfs:10: warning: the global key word \"minimize\"").size(),
              1);
    EXPECT_EQ(
        matching(result, "Struct.cfs:13: warning: section \"_clip\" lacks the key \"html\"").size(),
        1);
}

TEST(LintDisc, ScreenAndPolygonProblems)
{
    const Lint result =
        lint(SystemButtons + QStringLiteral("vertexmain=[0,0;10;5,5]\n") + GoodButton +
             QStringLiteral("button 3\nvx=1;vy=1;fn1=b.bmp;fn2=b.bmp;fn3=b.bmp;"
                            "go=a;hint=h;wav=no\n_screen=main.bmp;3\n"
                            "_screen=main.bmp;3\n"));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(matching(result, "Struct.cfs:5: warning: window polygon vertex \"10\"").size(), 1);
    EXPECT_EQ(matching(result, "screen 1 has elements but no \"_screen\"").size(), 1);
    EXPECT_EQ(matching(result, "screen 2 has elements but no \"_screen\"").size(), 1);
    EXPECT_EQ(matching(result, "screen 3 is declared again").size(), 1);
}

TEST(LintDisc, AbsentSystemButtonsAndNoScreen)
{
    const Lint result = lint(QStringLiteral("title=x\n"));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(matching(result, "no \"minimize\" section").size(), 1);
    EXPECT_EQ(matching(result, "no \"close\" section").size(), 1);
    EXPECT_EQ(matching(result, "no screen is declared").size(), 1);
}

TEST(LintDisc, UnreadableDiscFails)
{
    TempDir dir;
    const ToolResult run = runTool({"lint", dir.file("missing")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(runTool({"lint"}).status, 2);
}

TEST(LintDemoDisc, HasNoWarnings)
{
    const QString folder = QStringLiteral(DISCSHELL_DEMO_DISC_DIR);
    ASSERT_TRUE(QFileInfo(folder).isDir()) << "build the demo_disc target first";
    const ToolResult run = runTool({"lint", folder, "--appdir", "d:\\run\\"});
    EXPECT_EQ(run.status, 0) << run.outText().toStdString();
}

} // namespace
