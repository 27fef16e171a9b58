#include "content/ChapterTree.h"
#include "content/HtmlFrame.h"
#include "engine/HtmlViewer.h"

#include <QApplication>

// History: the command pages behind the page shown, back and forward steps
// that keep the switches in step, and what a history change tells the others.

void THtmlFrame::RememberCommandPage(const QString& page)
{
    commandPages_.Remember(currentViewerIndex_, page);
}

void THtmlFrame::GoBack(TDynamicSwthOneArray& switches, TDynamicSwthGrpArray& groups)
{
    Step(true, switches, groups);
}

void THtmlFrame::GoForward(TDynamicSwthOneArray& switches, TDynamicSwthGrpArray& groups)
{
    Step(false, switches, groups);
}

void THtmlFrame::Step(bool back, TDynamicSwthOneArray& switches, TDynamicSwthGrpArray& groups)
{
    THtmlViewer* viewer = CurrentViewer();
    if (!viewer) {
        return;
    }
    if (!(back ? viewer->canGoBack() : viewer->canGoForward())) {
        QApplication::beep();
        return;
    }
    const QString before = viewer->currentFile();
    if (back) {
        viewer->goBack();
    } else {
        viewer->goForward();
    }
    if (viewer->currentFile() != before) {
        KeepSwitchesInStep(switches, groups);
    }
}

// The switches whose commands open the command page of the page now shown
// take the state they would have had, without running their commands: a
// press with Shift toggles them.
void THtmlFrame::KeepSwitchesInStep(TDynamicSwthOneArray& switches, TDynamicSwthGrpArray& groups)
{
    const QString key = commandPages_.CurrentKey(currentViewerIndex_);
    const auto& press = context_.Hooks.ShiftPressAt;
    if (key.isEmpty() || !press) {
        return;
    }
    for (qsizetype i = 0; i < switches.size(); ++i) {
        const RSwthOne& one = switches.at(i);
        if (one.State ? one.CmdUp.contains(key) : one.CmdDown.contains(key)) {
            press(QPoint(one.Left + 1, one.Top + 1));
        }
    }
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const RSwthGrp& member = groups.at(i);
        if (member.Command.contains(key)) {
            press(QPoint(member.Left + 1, member.Top + 1));
        }
    }
}

void THtmlFrame::HistoryChanged()
{
    const THtmlViewer* viewer = Viewer(currentViewerIndex_);
    if (!viewer) {
        return;
    }
    const QString file = viewer->currentFile();
    commandPages_.NoteShown(currentViewerIndex_, file);
    const TContentHooks& hooks = context_.Hooks;
    CallHook(hooks.UpdateArchiveMode, file);
    CallHook(hooks.SetPageFolder, file);
    CallHook(hooks.SetTextMessage, viewer->documentTitle() + QStringLiteral("  "), 1);
    CallHook(hooks.UpdateHistoryLists);
    CallHook(hooks.UpdateChapterHints);
}

void THtmlFrame::NextChapter()
{
    if (IChapterTree* chapters = context_.Chapters()) {
        StepChapter(*chapters, 1);
    }
}

void THtmlFrame::PrevChapter()
{
    if (IChapterTree* chapters = context_.Chapters()) {
        StepChapter(*chapters, -1);
    }
}
