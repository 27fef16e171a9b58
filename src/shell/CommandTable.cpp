#include "shell/CommandTable.h"

using T = TCommandTable;

// The order is the order of testing: "html" before "clip", "screen" before
// the plain numbers, "tree1" before "ontree" and so on.
const T::TRow T::Rows[] = {
    {TTest::KeywordContains, "screen", &T::Screen},
    {TTest::Equals, "2d", &T::Video2D},
    {TTest::Equals, "3d", &T::Video3D},
    {TTest::KeywordEquals, "run", &T::RunProgram},
    {TTest::Equals, "about", &T::About},
    {TTest::Equals, "minimize", &T::Minimize},
    {TTest::Contains, "tree1", &T::HideTree},
    {TTest::Contains, "tree2", &T::ShowTree},
    {TTest::Contains, "ontree", &T::UnfoldTree},
    {TTest::Contains, "offtree", &T::FoldTree},
    {TTest::Equals, "historyback", &T::HistoryBack},
    {TTest::Equals, "historyforward", &T::HistoryForward},
    {TTest::Equals, "showfavorite", &T::ShowFavorite},
    {TTest::Equals, "addtofavorite", &T::AddToFavorite},
    {TTest::Equals, "deletefromfavorite", &T::DeleteFromFavorite},
    {TTest::Equals, "tesaurus", &T::Thesaurus},
    {TTest::Contains, "contextmenu", &T::ContextMenu},
    {TTest::Equals, "back", &T::Back},
    {TTest::Equals, "forward", &T::Forward},
    {TTest::KeywordContains, "html", &T::Html},
    {TTest::Equals, "copyhtml", &T::CopyHtml},
    {TTest::Equals, "printhtml", &T::PrintHtml},
    {TTest::Equals, "tophtml", &T::TopHtml},
    {TTest::Equals, "nextchapter", &T::NextChapter},
    {TTest::Equals, "prevchapter", &T::PrevChapter},
    {TTest::Contains, "findnext", &T::FindNext},
    {TTest::Contains, "findtxtall", &T::FindAllPages},
    {TTest::Contains, "findtxtlimit", &T::FindLimited},
    {TTest::Equals, "caseon", &T::CaseOn},
    {TTest::Equals, "caseoff", &T::CaseOff},
    {TTest::Equals, "bgsound", &T::BackgroundSound},
    {TTest::Equals, "standartwin", &T::StandardWindow},
    {TTest::Equals, "options", &T::Options},
    {TTest::Equals, "help", &T::Help},
    {TTest::Equals, "unarc", &T::Unarc},
    {TTest::Equals, "play", &T::Play},
    {TTest::Equals, "stop", &T::Stop},
    {TTest::Equals, "pause", &T::Pause},
    {TTest::Equals, "stepforward", &T::StepForward},
    {TTest::Equals, "stepback", &T::StepBack},
    {TTest::KeywordContains, "clip", &T::Clip},
    {TTest::Equals, "nextpic", &T::NextPicture},
    {TTest::Equals, "prevpic", &T::PrevPicture},
    {TTest::Equals, "installfonts", &T::InstallFonts},
    {TTest::KeywordEquals, "rungame", &T::RunGame},
    {TTest::KeywordEquals, "delgame", &T::DeleteGame},
    {TTest::Anything, "", &T::ScreenNumber},
};

TCommandTable::TCommandTable(TCommandHost& host, TComponentSet& components, THelpTopics& help,
                             TThesaurusWindow& thesaurus)
    : host_(host), components_(components), help_(help), thesaurus_(thesaurus)
{
}

void TCommandTable::Run(const TCommandRequest& request)
{
    for (const TRow& row : Rows) {
        if (Matches(row, request.Text)) {
            (this->*row.Action)(request);
            return;
        }
    }
}

bool TCommandTable::Matches(const TRow& row, const TCommandText& text)
{
    switch (row.Test) {
    case TTest::KeywordContains:
        return text.KeywordContains(row.Word);
    case TTest::KeywordEquals:
        return text.KeywordEquals(row.Word);
    case TTest::Equals:
        return text.Equals(row.Word);
    case TTest::Contains:
        return text.Contains(row.Word);
    case TTest::Anything:
        break;
    }
    return true;
}

bool TCommandTable::ValidScreen(int screen)
{
    return screen >= 0 && screen < host_.Description().screenCount();
}

TDynamicSwthOneArray& TCommandTable::CurrentSwitches()
{
    static TDynamicSwthOneArray none;
    none.clear();
    QList<TDynamicSwthOneArray>& lists = host_.Description().Switches;
    const int screen = host_.CurrentScreen();
    return screen >= 0 && screen < lists.size() ? lists[screen] : none;
}

TDynamicSwthGrpArray& TCommandTable::CurrentGroups()
{
    static TDynamicSwthGrpArray none;
    none.clear();
    QList<TDynamicSwthGrpArray>& lists = host_.Description().SwitchGroups;
    const int screen = host_.CurrentScreen();
    return screen >= 0 && screen < lists.size() ? lists[screen] : none;
}

// The popups open at the bottom edge of the button that asked for them, on
// its right edge for the "back" list (which opens to the left).
void TCommandTable::ShowPopupAtButton(const TCommandRequest& request, int type, bool rightEdge)
{
    const QList<TDynamicBtnArray>& lists = host_.Description().Buttons;
    const int screen = host_.CurrentScreen();
    if (request.Kind != 0 || !components_.Popups || screen < 0 || screen >= lists.size() ||
        request.Index < 0 || request.Index >= lists[screen].size()) {
        return;
    }
    const RBtn& button = lists[screen][request.Index];
    const QPoint edge(rightEdge ? button.Right : button.Left, button.Bottom);
    components_.Popups->ShowPopup(type, host_.MapToScreen(edge));
}
