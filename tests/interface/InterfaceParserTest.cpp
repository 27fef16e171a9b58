#include "InterfaceTestText.h"

namespace {

using GlobalKeys = InterfaceTest;

TEST_F(GlobalKeys, ReadsEveryGlobalValue)
{
    const TInterfaceDescription d = ReadText(QStringLiteral("Title=книга о Главном\n"
                                                            "codec=indeo5, mpegaudio\n"
                                                            "rolic=intro.avi\n"
                                                            "background=black\n"
                                                            "icon=App.ico\n"
                                                            "bgsounddef=[music\\a.mp3\n"
                                                            "b.mp3]\n"));
    EXPECT_EQ(d.DiskTitle, QStringLiteral("Книга о Главном"));
    EXPECT_EQ(d.CodecRequest, QStringLiteral("indeo5, mpegaudio"));
    EXPECT_EQ(d.IntroClip, QStringLiteral("intro.avi"));
    EXPECT_EQ(d.IntroBackdrop, QStringLiteral("black"));
    EXPECT_EQ(d.Icon, QStringLiteral("app.ico"));
    EXPECT_EQ(d.BgSoundDefault, QStringList({QStringLiteral("d:\\run\\music\\a.mp3"),
                                             QStringLiteral("d:\\run\\b.mp3")}));
    EXPECT_FALSE(d.HasWindowPolygon);
    EXPECT_EQ(d.HelpWinWidth, -1);
    EXPECT_TRUE(d.MinimizeButton.Command.isEmpty());
    EXPECT_TRUE(d.CloseButton.PicUp.isEmpty());
}

TEST_F(GlobalKeys, HelpWindowKeysSpreadOverLines)
{
    const TInterfaceDescription d = ReadText(QStringLiteral("helpwin\n"
                                                            "vw=640\n"
                                                            "; a remark\n"
                                                            "vh=480\n"
                                                            "fn=help\\index.htm\n"));
    EXPECT_EQ(d.HelpWinWidth, 640);
    EXPECT_EQ(d.HelpWinHeight, 480);
    EXPECT_EQ(d.HelpWinFile, QStringLiteral("d:\\run\\help\\index.htm"));
}

TEST_F(GlobalKeys, AKeyThatReadsLinesMovesThePassToItsLastLine)
{
    // The lines inside the help window section are passed over, the keys after
    // "helpwin" are looked for in the line of its last value.
    const TInterfaceDescription d = ReadText(QStringLiteral("helpwin vw=1\n"
                                                            "vh=2;title=passed over\n"
                                                            "fn=h.htm;icon=seen.ico\n"
                                                            "rolic=read\n"));
    EXPECT_TRUE(d.DiskTitle.isEmpty());
    EXPECT_EQ(d.Icon, QStringLiteral("seen.ico"));
    EXPECT_EQ(d.IntroClip, QStringLiteral("read"));
    EXPECT_EQ(d.HelpWinWidth, 1);
}

TEST_F(GlobalKeys, SystemButtonsGetTheirCommands)
{
    const TInterfaceDescription d = ReadText(QStringLiteral("minimize\nvx=724\nvy=18\n"
                                                            "fn1=min_up.bmp\nfn2=min_mv.bmp\n"
                                                            "fn3=min_dn.bmp\nhint=Свернуть\n"
                                                            "wav=no\n"
                                                            "close vx=756;vy=18;fn1=x_up.bmp;"
                                                            "fn2=x_mv.bmp;fn3=x_dn.bmp;"
                                                            "hint=Выход;wav=bye.wav\n"));
    const RBtn& min = d.MinimizeButton;
    EXPECT_EQ(min.Left, 724);
    EXPECT_EQ(min.Top, 18);
    EXPECT_EQ(min.PicUp, QStringLiteral("min_up.bmp"));
    EXPECT_EQ(min.PicMv, QStringLiteral("min_mv.bmp"));
    EXPECT_EQ(min.PicDn, QStringLiteral("min_dn.bmp"));
    EXPECT_EQ(min.Hint, QStringLiteral("Свернуть"));
    EXPECT_EQ(min.Sound, QStringLiteral("no"));
    EXPECT_EQ(min.Command, QStringLiteral("minimize"));
    EXPECT_EQ(d.CloseButton.Left, 756);
    EXPECT_EQ(d.CloseButton.PicDn, QStringLiteral("x_dn.bmp"));
    EXPECT_EQ(d.CloseButton.Sound, QStringLiteral("bye.wav"));
    EXPECT_EQ(d.CloseButton.Command, QStringLiteral("exit"));
}

TEST_F(GlobalKeys, KeyWordsInsideElementsReReadTheSystemButtons)
{
    // go=minimize re-reads the minimise button from that line on: it takes the
    // keys of the button that follows; a hint holding "close" does the same.
    const TInterfaceDescription d = ReadText(
        QStringLiteral("minimize\nvx=1\nvy=1\nfn1=m1\nfn2=m2\nfn3=m3\nhint=m\nwav=no\n") +
        QStringLiteral("button=1\nvx=5\nvy=5\nfn1=a\nfn2=b\nfn3=c\ngo=minimize\nhint=h\nwav=no\n") +
        ButtonText(1, QStringLiteral("next")) +
        QStringLiteral("button=1\nvx=7\nvy=7\nfn1=e\nfn2=f\nfn3=g\ngo=exit\nhint=close it\n"
                       "wav=no\n") +
        ButtonText(1, QStringLiteral("last")));
    EXPECT_EQ(d.MinimizeButton.PicUp, QStringLiteral("next_up.bmp"));
    EXPECT_EQ(d.MinimizeButton.Hint, QStringLiteral("next hint"));
    EXPECT_EQ(d.MinimizeButton.Command, QStringLiteral("minimize"));
    EXPECT_EQ(d.CloseButton.PicUp, QStringLiteral("last_up.bmp"));
    EXPECT_EQ(d.CloseButton.Command, QStringLiteral("exit"));
}

TEST_F(GlobalKeys, AnIncompleteSystemButtonIsDroppedAndEndsThePass)
{
    TInterfaceDiagnostics diagnostics;
    const TInterfaceDescription d = ReadText(QStringLiteral("close\nvx=3\nvy=4\nfn1=a\nfn2=b\n"
                                                            "fn3=c\nhint=h\nicon=late.ico\n"),
                                             &diagnostics);
    EXPECT_EQ(d.CloseButton.Left, -1);
    EXPECT_TRUE(d.CloseButton.Command.isEmpty());
    EXPECT_TRUE(d.Icon.isEmpty());
    ASSERT_EQ(CountIssues(diagnostics, TInterfaceIssue::IncompleteSection), 1);
    EXPECT_EQ(diagnostics.first().Line, 1);
    EXPECT_TRUE(diagnostics.first().Message.contains(QLatin1String("wav")));
}

TEST_F(GlobalKeys, WindowPolygonOverSeveralLines)
{
    const TInterfaceDescription d =
        ReadText(QStringLiteral("vertexmain=[20,0;780,0\n800, 20\n0,-5]\ntitle=after\n"));
    EXPECT_TRUE(d.HasWindowPolygon);
    EXPECT_TRUE(d.WindowPolygonValid);
    EXPECT_EQ(d.WindowPolygon,
              QList<QPoint>({QPoint(20, 0), QPoint(780, 0), QPoint(800, 20), QPoint(0, -5)}));
    EXPECT_EQ(d.DiskTitle, QStringLiteral("After"));
}

TEST_F(GlobalKeys, AVertexThatIsNoNumberPairMarksThePolygonInvalid)
{
    TInterfaceDiagnostics diagnostics;
    const TInterfaceDescription d =
        ReadText(QStringLiteral("vertexmain=[1,2;3;4,5]\n"), &diagnostics);
    EXPECT_TRUE(d.HasWindowPolygon);
    EXPECT_FALSE(d.WindowPolygonValid);
    EXPECT_EQ(d.WindowPolygon, QList<QPoint>({QPoint(1, 2)}));
    EXPECT_EQ(CountIssues(diagnostics, TInterfaceIssue::InvalidVertex), 1);
}

TEST_F(GlobalKeys, VerticesBeyondTheLimitAreIgnored)
{
    QStringList vertices;
    for (int i = 0; i < MaxVertices + 5; ++i) {
        vertices.append(QStringLiteral("%1,%1").arg(i));
    }
    TInterfaceDiagnostics diagnostics;
    const TInterfaceDescription d = ReadText(
        QStringLiteral("vertexmain=[%1]\n").arg(vertices.join(QLatin1Char(';'))), &diagnostics);
    EXPECT_EQ(d.WindowPolygon.size(), MaxVertices);
    EXPECT_TRUE(d.WindowPolygonValid);
    EXPECT_EQ(d.WindowPolygon.last(), QPoint(MaxVertices - 1, MaxVertices - 1));
    EXPECT_EQ(CountIssues(diagnostics, TInterfaceIssue::TooManyVertices), 1);
}

TEST(ParseVertex, AcceptsOnlyTwoSignedNumbers)
{
    QPoint vertex;
    EXPECT_TRUE(ParseVertex(QStringLiteral(" 10 , -20 "), vertex));
    EXPECT_EQ(vertex, QPoint(10, -20));
    for (const char* bad : {"10", "", ",", "10,", "a,1", "1,2,3", "1;2", "99999999999,1"}) {
        EXPECT_FALSE(ParseVertex(QString::fromLatin1(bad), vertex)) << bad;
    }
}

TEST_F(GlobalKeys, SeparatePassesGiveTheSameResultAsBoth)
{
    const TDynamicStringArray lines =
        DescriptionLines(QStringLiteral("title=x\nclose vx=1;vy=2;fn1=a;fn2=b;fn3=c;hint=h;wav=w\n"
                                        "_screen=bg.bmp;1\n") +
                         ButtonText(1, QStringLiteral("b")));
    TInterfaceDescription separate;
    ReadInterfaceGlobals(lines, separate);
    EXPECT_TRUE(separate.Buttons.isEmpty());
    ReadInterfaceElements(lines, separate);
    const TInterfaceDescription both = ReadInterfaceDescription(lines);
    ASSERT_EQ(separate.Buttons.size(), 1);
    ASSERT_EQ(both.Buttons.size(), 1);
    EXPECT_EQ(separate.Buttons[0].size(), both.Buttons[0].size());
    EXPECT_EQ(separate.Buttons[0][1].Command, QStringLiteral("exit"));
    EXPECT_EQ(both.ScreenBackgrounds, separate.ScreenBackgrounds);
}

} // namespace
