#pragma once

#include "components/CommandHost.h"
#include "components/ComponentSet.h"
#include "shell/CommandText.h"

class THelpTopics;
class TThesaurusWindow;

// One command with the element that issued it (kind 0 button, 1 single
// switch, 2 switch group).
struct TCommandRequest {
    TCommandText Text;
    int Index = 0;
    int Kind = 0;
};

// The rows of the command table, tested from top to bottom; the first that
// matches performs its action. A command that matches nothing falls to the
// last row (a screen number).
class TCommandTable {
public:
    TCommandTable(TCommandHost& host, TComponentSet& components, THelpTopics& help,
                  TThesaurusWindow& thesaurus);

    void Run(const TCommandRequest& request);

private:
    enum class TTest { KeywordContains, KeywordEquals, Equals, Contains, Anything };
    using TAction = void (TCommandTable::*)(const TCommandRequest&);
    struct TRow {
        TTest Test;
        const char* Word;
        TAction Action;
    };
    static const TRow Rows[];
    static bool Matches(const TRow& row, const TCommandText& text);

    // The rows, in the order of testing (CommandRowsShell.cpp, CommandRowsContent.cpp).
    void Screen(const TCommandRequest& request);
    void Video2D(const TCommandRequest& request);
    void Video3D(const TCommandRequest& request);
    void RunProgram(const TCommandRequest& request);
    void About(const TCommandRequest& request);
    void Minimize(const TCommandRequest& request);
    void HideTree(const TCommandRequest& request);
    void ShowTree(const TCommandRequest& request);
    void UnfoldTree(const TCommandRequest& request);
    void FoldTree(const TCommandRequest& request);
    void HistoryBack(const TCommandRequest& request);
    void HistoryForward(const TCommandRequest& request);
    void ShowFavorite(const TCommandRequest& request);
    void AddToFavorite(const TCommandRequest& request);
    void DeleteFromFavorite(const TCommandRequest& request);
    void Thesaurus(const TCommandRequest& request);
    void ContextMenu(const TCommandRequest& request);
    void Back(const TCommandRequest& request);
    void Forward(const TCommandRequest& request);
    void Html(const TCommandRequest& request);
    void CopyHtml(const TCommandRequest& request);
    void PrintHtml(const TCommandRequest& request);
    void TopHtml(const TCommandRequest& request);
    void NextChapter(const TCommandRequest& request);
    void PrevChapter(const TCommandRequest& request);
    void FindNext(const TCommandRequest& request);
    void FindAllPages(const TCommandRequest& request);
    void FindLimited(const TCommandRequest& request);
    void CaseOn(const TCommandRequest& request);
    void CaseOff(const TCommandRequest& request);
    void BackgroundSound(const TCommandRequest& request);
    void StandardWindow(const TCommandRequest& request);
    void Options(const TCommandRequest& request);
    void Help(const TCommandRequest& request);
    void Unarc(const TCommandRequest& request);
    void Play(const TCommandRequest& request);
    void Stop(const TCommandRequest& request);
    void Pause(const TCommandRequest& request);
    void StepForward(const TCommandRequest& request);
    void StepBack(const TCommandRequest& request);
    void Clip(const TCommandRequest& request);
    void NextPicture(const TCommandRequest& request);
    void PrevPicture(const TCommandRequest& request);
    void InstallFonts(const TCommandRequest& request);
    void RunGame(const TCommandRequest& request);
    void DeleteGame(const TCommandRequest& request);
    void ScreenNumber(const TCommandRequest& request);

    // Shared by the rows.
    bool ValidScreen(int screen);
    void ShowPopupAtButton(const TCommandRequest& request, int type, bool rightEdge);
    TDynamicSwthOneArray& CurrentSwitches();
    TDynamicSwthGrpArray& CurrentGroups();

    TCommandHost& host_;
    TComponentSet& components_;
    THelpTopics& help_;
    TThesaurusWindow& thesaurus_;
};
