#include "InterfaceTestText.h"

namespace {

using Sections = InterfaceTest;

quint32 rgb(quint32 r, quint32 g, quint32 b)
{
    return r | g << 8 | b << 16;
}

TEST_F(Sections, ButtonWithTextKeysFromLeftBehindLines)
{
    const TInterfaceDescription d =
        ReadText(QStringLiteral("button=1;textfontname=Arial\n"
                                "vx=40;texttx=18\n"
                                "vy=110\n"
                                "textcaption=Главная\n"
                                "textty=12\n"
                                "textbx=160;textby=40\n"
                                "textfontsize=11\n"
                                "textfontstyleup=bold italic underline strikeout\n"
                                "textfontstylemv=underline\n"
                                "textfontstyledn=plain\n"
                                "textfontcolorup=236,240,246\n"
                                "textfontcolormv=255 224 150\n"
                                "textfontcolordn=200, 210, 230\n"
                                "fn1=btn_up.bmp\nfn2=btn_mv.bmp\nfn3=btn_dn.bmp\n"
                                "go=html1=html\\index.htm\n"
                                "hint=Первая страница\n"
                                "wav=click.wav\n"));
    ASSERT_EQ(d.screenCount(), 1);
    ASSERT_EQ(d.Buttons[0].size(), 1);
    const RBtn& b = d.Buttons[0][0];
    EXPECT_EQ(b.Left, 40);
    EXPECT_EQ(b.Top, 110);
    EXPECT_EQ(b.Caption, QStringLiteral("Главная"));
    EXPECT_EQ(b.FontName, QStringLiteral("arial"));
    EXPECT_EQ(b.TextLeft, 18); // "vx=40;texttx=18" lacks vy and is left behind
    EXPECT_EQ(b.TextTop, 12);
    EXPECT_EQ(b.TextRight, 160);
    EXPECT_EQ(b.TextBottom, 40);
    EXPECT_EQ(b.FontSize, 11);
    EXPECT_EQ(b.StyleUp, StyleBold | StyleItalic | StyleUnderline | StyleStrikeOut);
    EXPECT_EQ(b.StyleMv, StyleUnderline);
    EXPECT_EQ(b.StyleDn, 0);
    EXPECT_EQ(b.ColorUp, rgb(236, 240, 246));
    EXPECT_EQ(b.ColorMv, rgb(255, 224, 150));
    EXPECT_EQ(b.ColorDn, rgb(200, 210, 230));
    EXPECT_EQ(b.PicUp, QStringLiteral("btn_up.bmp"));
    EXPECT_EQ(b.PicMv, QStringLiteral("btn_mv.bmp"));
    EXPECT_EQ(b.PicDn, QStringLiteral("btn_dn.bmp"));
    EXPECT_EQ(b.Command, QStringLiteral("html1=html\\index.htm")); // taken literally
    EXPECT_EQ(b.Hint, QStringLiteral("Первая страница"));
    EXPECT_EQ(b.Sound, QStringLiteral("click.wav"));
    EXPECT_EQ(b.Right, -1);
}

TEST_F(Sections, OneLineButtonIgnoresTextKeysOnItsLastLine)
{
    const TInterfaceDescription d = ReadText(QStringLiteral(
        "button=1\n"
        "vx=10;vy=20;fn1=a.bmp;fn2=b.bmp;fn3=c.bmp;go=exit;hint=x;wav=no;textcaption=lost\n"
        "textcaption=not mine either\n"));
    ASSERT_EQ(d.Buttons.value(0).size(), 1);
    const RBtn& b = d.Buttons[0][0];
    EXPECT_EQ(b.Left, 10);
    EXPECT_EQ(b.Top, 20);
    EXPECT_EQ(b.PicDn, QStringLiteral("c.bmp"));
    EXPECT_EQ(b.Command, QStringLiteral("exit"));
    EXPECT_EQ(b.Hint, QStringLiteral("x"));
    EXPECT_EQ(b.Sound, QStringLiteral("no"));
    EXPECT_TRUE(b.Caption.isEmpty());
}

TEST_F(Sections, TheFirstNumberOnTheSectionLineIsTheScreen)
{
    const QString keys = QStringLiteral("vx=1;vy=1;fn1=a;fn2=b;fn3=c;go=g;hint=h;wav=w\n");
    const TInterfaceDescription d =
        ReadText(QStringLiteral("button 2\n") + keys + QStringLiteral("button=2\n") + keys +
                 QStringLiteral("2button\n") + keys + QStringLiteral("button=1\n") + keys);
    ASSERT_EQ(d.screenCount(), 2);
    EXPECT_EQ(d.Buttons[0].size(), 1);
    EXPECT_EQ(d.Buttons[1].size(), 3);
    EXPECT_EQ(d.Switches.size(), 2);
    EXPECT_EQ(d.SwitchGroups.size(), 2);
    EXPECT_EQ(d.Popups.size(), 2);
    EXPECT_EQ(d.ScreenBackgrounds.size(), 2);
}

TEST_F(Sections, ASectionWordInsideAConsumedLineIsHarmless)
{
    TInterfaceDiagnostics diagnostics;
    const TInterfaceDescription d =
        ReadText(QStringLiteral("button=1\nvx=1\n\n; remark\nvy=2\nfn1=a\nfn2=b\nfn3=c\n"
                                "go=exit\nhint=press this button\nwav=no\n") +
                     ButtonText(1, QStringLiteral("second")),
                 &diagnostics);
    ASSERT_EQ(d.Buttons.value(0).size(), 2);
    EXPECT_EQ(d.Buttons[0][0].Hint, QStringLiteral("press this button"));
    EXPECT_EQ(d.Buttons[0][1].Command, QStringLiteral("second"));
    EXPECT_EQ(CountIssues(diagnostics, TInterfaceIssue::SectionWordInsideSection), 0);
}

TEST_F(Sections, ASectionWithoutScreenNumberIsLeftOut)
{
    TInterfaceDiagnostics diagnostics;
    const TInterfaceDescription d =
        ReadText(QStringLiteral("button\nvx=1\nvy=2\nfn1=a\nfn2=b\nfn3=c\ngo=exit\nhint=h\nwav=no\n"
                                "_html=0\nvx=1\nvy=1\nvw=2\nvh=2\nfn=a.htm\nnumber=1\n"),
                 &diagnostics);
    EXPECT_EQ(d.screenCount(), 0);
    EXPECT_TRUE(d.Html.isEmpty());
    ASSERT_EQ(CountIssues(diagnostics, TInterfaceIssue::SectionWithoutScreen), 2);
    EXPECT_EQ(diagnostics[0].Line, 1);
    EXPECT_EQ(diagnostics[1].Line, 10);
    EXPECT_EQ(CountIssues(diagnostics, TInterfaceIssue::NoScreen), 1);
}

TEST_F(Sections, AbsurdScreenNumbersAreRejectedWithoutGrowingTheScreens)
{
    TInterfaceDiagnostics diagnostics;
    const TInterfaceDescription d = ReadText(ButtonText(999999, QStringLiteral("far")) +
                                                 QStringLiteral("_screen=x.bmp;2147483647\n") +
                                                 ButtonText(MaxScreens, QStringLiteral("last")),
                                             &diagnostics);
    EXPECT_EQ(d.screenCount(), MaxScreens);
    EXPECT_EQ(d.Buttons.last().size(), 1);
    EXPECT_EQ(CountIssues(diagnostics, TInterfaceIssue::ScreenOutOfRange), 2);
}

TEST_F(Sections, AMissingRequiredKeyAtTheEndDropsTheElement)
{
    TInterfaceDiagnostics diagnostics;
    const TInterfaceDescription d =
        ReadText(ButtonText(1, QStringLiteral("kept")) +
                     QStringLiteral("button=1\nvx=1\nvy=2\nfn1=a\nfn2=b\nfn3=c\ngo=exit\nhint=h\n"
                                    "_html=1\nvx=1\nvy=1\nvw=2\nvh=2\nfn=a.htm\nnumber=1\n"),
                 &diagnostics);
    ASSERT_EQ(d.Buttons.value(0).size(), 1);
    EXPECT_EQ(d.Buttons[0][0].Command, QStringLiteral("kept"));
    // The scan for "wav" consumed the rest; the page panel after it is not read.
    EXPECT_TRUE(d.Html.isEmpty());
    ASSERT_EQ(CountIssues(diagnostics, TInterfaceIssue::IncompleteSection), 1);
    const RInterfaceDiagnostic& issue = diagnostics.first();
    EXPECT_EQ(issue.Line, 10);
    EXPECT_TRUE(issue.Message.contains(QLatin1String("\"wav\""))) << issue.Message.toStdString();
}

TEST_F(Sections, AMissingKeyBeforeTheNextSectionAbsorbsIt)
{
    TInterfaceDiagnostics diagnostics;
    const TInterfaceDescription d =
        ReadText(QStringLiteral("button=1\nvx=1\nvy=2\nfn1=a\nfn2=b\nfn3=c\ngo=first\nhint=h\n") +
                     ButtonText(1, QStringLiteral("second")),
                 &diagnostics);
    ASSERT_EQ(d.Buttons.value(0).size(), 1);
    EXPECT_EQ(d.Buttons[0][0].Command, QStringLiteral("first"));
    EXPECT_EQ(d.Buttons[0][0].Sound, QStringLiteral("no"));
    ASSERT_EQ(CountIssues(diagnostics, TInterfaceIssue::SectionWordInsideSection), 1);
    const auto issue = std::find_if(diagnostics.cbegin(), diagnostics.cend(), [](const auto& i) {
        return i.Issue == TInterfaceIssue::SectionWordInsideSection;
    });
    EXPECT_EQ(issue->Line, 9);
}

TEST_F(Sections, ScreensGetBackgroundsAndSystemButtonsInFileOrder)
{
    TInterfaceDiagnostics diagnostics;
    const TInterfaceDescription d =
        ReadText(QStringLiteral("minimize vx=1;vy=1;fn1=m;fn2=m;fn3=m;hint=m;wav=no\n"
                                "close vx=2;vy=2;fn1=x;fn2=x;fn3=x;hint=x;wav=no\n") +
                     ButtonText(1, QStringLiteral("early")) +
                     QStringLiteral("1_screen=main.bmp\n_screen=Second.BMP ;2\n") +
                     ButtonText(1, QStringLiteral("late")) + ButtonText(2, QStringLiteral("other")),
                 &diagnostics);
    ASSERT_EQ(d.screenCount(), 2);
    EXPECT_EQ(d.ScreenBackgrounds, QStringList({"main.bmp", "second.bmp"}));
    QStringList first;
    for (const RBtn& b : d.Buttons[0]) {
        first.append(b.Command);
    }
    EXPECT_EQ(first, QStringList({"early", "minimize", "exit", "late"}));
    ASSERT_EQ(d.Buttons[1].size(), 3);
    EXPECT_EQ(d.Buttons[1][0].PicUp, QStringLiteral("m"));
    EXPECT_EQ(d.Buttons[1][1].Left, 2);
    EXPECT_EQ(d.Buttons[1][2].Command, QStringLiteral("other"));
    EXPECT_TRUE(diagnostics.isEmpty()) << diagnostics.first().Message.toStdString();
}

TEST_F(Sections, SystemButtonsOnScreensAreThoseTheWholeFirstPassLeft)
{
    // The button after the screen line re-reads the minimise button; the copy
    // on the screen is the re-read one, as the first pass ends before the second.
    TInterfaceDiagnostics diagnostics;
    const TInterfaceDescription d = ReadText(
        QStringLiteral("minimize vx=1;vy=1;fn1=old;fn2=m;fn3=m;hint=m;wav=no\n"
                       "_screen=a.bmp;1\n"
                       "button=1\nvx=5;vy=5;fn1=a;fn2=b;fn3=c\ngo=minimize\nhint=h\nwav=no\n") +
            ButtonText(1, QStringLiteral("new")),
        &diagnostics);
    ASSERT_EQ(d.Buttons.value(0).size(), 4);
    EXPECT_EQ(d.Buttons[0][0].PicUp, QStringLiteral("new_up.bmp"));
    EXPECT_EQ(d.Buttons[0][0].Command, QStringLiteral("minimize"));
    ASSERT_EQ(CountIssues(diagnostics, TInterfaceIssue::FirstPassKeyInElement), 1);
}

TEST_F(Sections, ScreenProblemsAreReported)
{
    TInterfaceDiagnostics diagnostics;
    ReadText(QStringLiteral("_screen=a.bmp;1\n_screen=b.bmp;1\n") +
                 ButtonText(3, QStringLiteral("lonely")),
             &diagnostics);
    EXPECT_EQ(CountIssues(diagnostics, TInterfaceIssue::ScreenDeclaredTwice), 1);
    // Screens 2 (grown past) and 3 (holds a button) have no "_screen" line.
    EXPECT_EQ(CountIssues(diagnostics, TInterfaceIssue::ScreenWithoutDeclaration), 2);
    EXPECT_EQ(CountIssues(diagnostics, TInterfaceIssue::NoScreen), 0);
}

TEST_F(Sections, SwitchesAndSwitchGroups)
{
    const TInterfaceDescription d = ReadText(QStringLiteral(
        "switchone=1\ntextcaptionup=Вкл\ntextcaptiondn=Выкл\ntexttxup=1;texttyup=2\n"
        "textbxup=3;textbyup=4\ntexttxdn=5;texttydn=6;textbxdn=7;textbydn=8\n"
        "textfontname=Tahoma;textfontsize=9\ntextfontstyleup=bold\ntextfontstylemvup=italic\n"
        "textfontstylemvdn=underline\ntextfontstyledn=strikeout\ntextfontcolorup=1,2,3\n"
        "textfontcolormvup=4,5,6\ntextfontcolormvdn=7,8,9\ntextfontcolordn=10,11,12\n"
        "vx=100\nvy=200\nfn1=s1\nfn2=s2\nfn3=s3\nfn4=s4\nstate=On\nstore=ON\n"
        "goup=bgsound=music\\a.mp3\ngodown=stop\nhint=Музыка\nwav=no\n"
        "switchone=1\nvx=1\nvy=1\nfn1=a\nfn2=b\nfn3=c\nfn4=d\nstate=off\nstore=yes\n"
        "goup=a\ngodown=b\nhint=h\nwav=no\n"
        "switchgrp=2\ntexttx=11;textty=12;textbx=13;textby=14\ntextcaptionup=Up\n"
        "vx=3\nvy=4\nfn1=g1\nfn2=g2\nfn3=g3\nfn4=g4\nstate=on\nstore=off\ngroup=7\n"
        "go=html1=page.htm\nhint=g\nwav=w.wav\n"));
    ASSERT_EQ(d.screenCount(), 2);
    ASSERT_EQ(d.Switches[0].size(), 2);
    const RSwthOne& s = d.Switches[0][0];
    EXPECT_EQ(s.Left, 100);
    EXPECT_EQ(s.PicUp, QStringLiteral("s1"));
    EXPECT_EQ(s.PicMvUp, QStringLiteral("s2"));
    EXPECT_EQ(s.PicMvDn, QStringLiteral("s3"));
    EXPECT_EQ(s.PicDn, QStringLiteral("s4"));
    EXPECT_TRUE(s.State);
    EXPECT_TRUE(s.Store);
    EXPECT_EQ(s.CmdUp, QStringLiteral("bgsound=d:\\run\\music\\a.mp3"));
    EXPECT_EQ(s.CmdDown, QStringLiteral("stop"));
    EXPECT_EQ(s.CaptionUp, QStringLiteral("Вкл"));
    EXPECT_EQ(s.CaptionDn, QStringLiteral("Выкл"));
    EXPECT_EQ(QList<qint32>({s.TextUpLeft, s.TextUpTop, s.TextUpRight, s.TextUpBottom, s.TextDnLeft,
                             s.TextDnTop, s.TextDnRight, s.TextDnBottom}),
              QList<qint32>({1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(s.FontName, QStringLiteral("tahoma"));
    EXPECT_EQ(s.FontSize, 9);
    EXPECT_EQ(QList<int>({s.StyleUp, s.StyleMvUp, s.StyleMvDn, s.StyleDn}),
              QList<int>({StyleBold, StyleItalic, StyleUnderline, StyleStrikeOut}));
    EXPECT_EQ(QList<TColor>({s.ColorUp, s.ColorMvUp, s.ColorMvDn, s.ColorDn}),
              QList<TColor>({rgb(1, 2, 3), rgb(4, 5, 6), rgb(7, 8, 9), rgb(10, 11, 12)}));
    EXPECT_FALSE(d.Switches[0][1].State);
    EXPECT_FALSE(d.Switches[0][1].Store);

    ASSERT_EQ(d.SwitchGroups[1].size(), 1);
    const RSwthGrp& g = d.SwitchGroups[1][0];
    EXPECT_EQ(g.Group, 7);
    EXPECT_TRUE(g.State);
    EXPECT_FALSE(g.Store);
    EXPECT_EQ(g.Command, QStringLiteral("html1=d:\\run\\page.htm"));
    EXPECT_EQ(g.PicDn, QStringLiteral("g4"));
    EXPECT_EQ(g.CaptionUp, QStringLiteral("up"));
    EXPECT_EQ(QList<qint32>({g.TextLeft, g.TextTop, g.TextRight, g.TextBottom}),
              QList<qint32>({11, 12, 13, 14}));
    EXPECT_EQ(g.Sound, QStringLiteral("w.wav"));
}

TEST_F(Sections, AreaRecordsCarryTheirScreen)
{
    const TInterfaceDescription d = ReadText(QStringLiteral(
        "_html=2\nvx=260\nvy=110\nvw=780\nvh=580\nfn=html\\index.htm\nnumber=1\n"
        "_findtxt=1\nvx=1;vy=2;vw=3;vh=4\nframe=main\nnofiles=[index.htm\nhelp.htm]\n"
        "number=2\nhint=Искать\n"
        "_path=1\nvx=5;vy=6;vw=7;vh=8\npathdef=<cd>games\\\nhint=Куда\n"
        "_clip=2\nvx=9;vy=10;vw=11;vh=12\nbgcolor=0,0,255\nhtml=1\n"
        "_text=1\nvx=13;vy=14;vw=15\nfont=Arial\nsize=10\nstyle=bold,italic\n"
        "color=255,255,255\nvalue=Привет\nident=status\nnumber=3\n"
        "_image=2\nvx=16;vy=17;vw=18;vh=19\ndir=slides\n"
        "_image=1\nvx=0;vy=0;vw=1;vh=1\ndir=<cd>pics\\\n"));
    ASSERT_EQ(d.screenCount(), 2);
    ASSERT_EQ(d.Html.size(), 1);
    EXPECT_EQ(d.Html[0].Screen, 1);
    EXPECT_EQ(QList<qint32>({d.Html[0].Left, d.Html[0].Top, d.Html[0].Right, d.Html[0].Bottom}),
              QList<qint32>({260, 110, 780, 580}));
    EXPECT_EQ(d.Html[0].File, QStringLiteral("d:\\run\\html\\index.htm"));
    EXPECT_EQ(d.Html[0].Number, 1);

    ASSERT_EQ(d.FindTxt.size(), 1);
    EXPECT_EQ(d.FindTxt[0].Screen, 0);
    EXPECT_EQ(d.FindTxt[0].Frame, QStringLiteral("main"));
    EXPECT_EQ(d.FindTxt[0].NoFiles, QStringList({"d:\\run\\index.htm", "d:\\run\\help.htm"}));
    EXPECT_EQ(d.FindTxt[0].Number, 2);
    EXPECT_EQ(d.FindTxt[0].Hint, QStringLiteral("Искать"));

    ASSERT_EQ(d.PathInput.size(), 1);
    EXPECT_EQ(d.PathInput[0].Bottom, 8);
    EXPECT_EQ(d.PathInput[0].PathDef, QStringLiteral("<cd>games\\"));
    EXPECT_EQ(d.PathInput[0].Hint, QStringLiteral("Куда"));

    ASSERT_EQ(d.Clips.size(), 1);
    EXPECT_EQ(d.Clips[0].Screen, 1);
    EXPECT_EQ(d.Clips[0].BgColor, rgb(0, 0, 255));
    EXPECT_EQ(d.Clips[0].Html, 1);

    ASSERT_EQ(d.Texts.size(), 1);
    const RText& t = d.Texts[0];
    EXPECT_EQ(QList<qint32>({t.Left, t.Top, t.Right, t.Size, t.Number}),
              QList<qint32>({13, 14, 15, 10, 3}));
    EXPECT_EQ(t.Font, QStringLiteral("arial"));
    EXPECT_EQ(t.Style, QStringLiteral("bold,italic"));
    EXPECT_EQ(t.Color, rgb(255, 255, 255));
    EXPECT_EQ(t.Value, QStringLiteral("Привет"));
    EXPECT_EQ(t.Ident, QStringLiteral("status"));

    ASSERT_EQ(d.Images.size(), 2);
    EXPECT_EQ(d.Images[0].Dir, QStringLiteral("d:\\run\\slides\\"));
    EXPECT_EQ(d.Images[0].Screen, 1);
    EXPECT_EQ(d.Images[1].Dir, QStringLiteral("d:\\pics\\"));
}

TEST_F(Sections, PopupsOfEveryKind)
{
    const QString body = QStringLiteral(
        "xfon=10\nyfon=-1\nfnfon=pop_bg.bmp\nxbtn=5\nybtn=6\n"
        "fnbtnup=[pop_up.bmp\npop_up2.bmp]\nfnbtnmove=[pop_mv.bmp]\nfnbtndown=[pop_dn.bmp]\n"
        "fontup=Arial\nsizeup=10\nstyleup=bold\ncolorup=0,0,0\n"
        "fontmv=Times\nsizemv=11\nstylemv=italic\ncolormv=255,0,0\n"
        "caption=[Копировать;Печать]\ngo=[copy;print]\nparent=main\n"
        "type=%1\nvertex=[0,0;100,0\n100,50]\n");
    QString text;
    for (const char* kind :
         {"historyback", "historyforward", "favorite", "contexthtml", "12", "none"}) {
        text += QStringLiteral("_popup=1\n") + body.arg(QLatin1String(kind));
    }
    const TInterfaceDescription d = ReadText(text);
    ASSERT_EQ(d.Popups.value(0).size(), 6);
    QList<qint32> kinds;
    for (const RPopupData& p : d.Popups[0]) {
        kinds.append(p.Kind);
    }
    EXPECT_EQ(kinds, QList<qint32>({-1, -2, -3, -5, 12, -1}));
    const RPopupData& p = d.Popups[0][0];
    EXPECT_EQ(p.BackLeft, 10);
    EXPECT_EQ(p.BackTop, -1);
    EXPECT_EQ(p.BackPicture, QStringLiteral("pop_bg.bmp"));
    EXPECT_EQ(p.ItemLeft, 5);
    EXPECT_EQ(p.ItemTop, 6);
    EXPECT_EQ(p.ItemPicsUp, QStringList({"d:\\run\\pop_up.bmp", "d:\\run\\pop_up2.bmp"}));
    EXPECT_EQ(p.ItemPicsMove, QStringList({"d:\\run\\pop_mv.bmp"}));
    EXPECT_EQ(p.ItemPicsDown, QStringList({"d:\\run\\pop_dn.bmp"}));
    EXPECT_EQ(p.Font[0], QStringLiteral("arial"));
    EXPECT_EQ(p.Font[1], QStringLiteral("times"));
    EXPECT_EQ(p.Size[0], 10);
    EXPECT_EQ(p.Size[1], 11);
    EXPECT_EQ(p.Style[0], QStringLiteral("bold"));
    EXPECT_EQ(p.Style[1], QStringLiteral("italic"));
    EXPECT_EQ(p.Color[0], rgb(0, 0, 0));
    EXPECT_EQ(p.Color[1], rgb(255, 0, 0));
    EXPECT_EQ(p.Captions, QStringList({"Копировать", "Печать"}));
    EXPECT_EQ(p.Commands, QStringList({"copy", "print"}));
    EXPECT_EQ(p.Parent, QStringLiteral("main"));
    EXPECT_EQ(p.Vertices, QStringList({"0,0", "100,0", "100,50"}));
}

TEST_F(Sections, HostileInputEndsQuietly)
{
    // An unclosed list at the end, a key at the very end of its line, NUL
    // characters and an empty text never read past the lines.
    TInterfaceDiagnostics diagnostics;
    EXPECT_EQ(ReadText(QString(), &diagnostics).screenCount(), 0);
    const TInterfaceDescription d = ReadText(
        QStringLiteral("_popup=1\nxfon\nyfon=\nfnfon\nxbtn;ybtn;fnbtnup=[a;b\n"), &diagnostics);
    EXPECT_EQ(d.screenCount(), 0);
    const TDynamicStringArray lines = {QStringLiteral("button=1"), QString(QChar(0)),
                                       QStringLiteral("vx=1\0;vy=2"), QStringLiteral("title")};
    const TInterfaceDescription e = ReadInterfaceDescription(lines, &diagnostics);
    EXPECT_EQ(e.screenCount(), 0);
    EXPECT_TRUE(e.DiskTitle.isEmpty());
}

} // namespace

namespace {

TEST_F(Sections, LongHostileTextsAreReadInOnePassOverTheLines)
{
    // Sections and key words on every line: every scan moves forward, so a
    // text of many lines is read quickly and completely.
    TDynamicStringArray lines;
    for (int i = 0; i < 50000; ++i) {
        lines.append(QStringLiteral("button 1 close helpwin vx=1;vy=1;fn1=a;fn2=b;fn3=c;go=g;"
                                    "hint=h;wav=w;vw=1;vh=2;fn=x"));
    }
    TInterfaceDiagnostics diagnostics;
    const TInterfaceDescription d = ReadInterfaceDescription(lines, &diagnostics);
    EXPECT_EQ(d.Buttons.value(0).size(), 50000);
    EXPECT_EQ(d.CloseButton.Command, QStringLiteral("exit"));
    lines.append(QStringLiteral("switchone 2"));
    const TInterfaceDescription cut = ReadInterfaceDescription(lines, &diagnostics);
    EXPECT_EQ(cut.screenCount(), 1);
}

} // namespace
