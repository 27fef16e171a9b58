#include "engine/HtmlViewer.h"
#include "search/FindPageLists.h"
#include "search/FindTxtHtml.h"
#include "search/FindTxtTexts.h"
#include "search/PageSearchRun.h"

#include <QCoreApplication>
#include <algorithm>

using namespace FindTxtTexts;

// The next occurrence in the page shown; failing that, in all-pages scope,
// the next page of the program's folder that holds the text; in limited
// scope the page shown once more from its top.
bool TFindTxtHtml::FindInPages(int field)
{
    SetIdle(false);
    const QString text = FieldText(field);
    if (text.isEmpty()) {
        ShowStatus(EnterWord);
        return true;
    }
    THtmlViewer* viewer = SearchedViewer(field);
    if (!viewer) {
        return true;
    }
    if (startFile_.isEmpty()) {
        const THtmlViewer* current = CurrentViewer();
        startFile_ = current ? current->currentFile().toLower() : QString();
    }
    if (FindHeading(*viewer, text) || viewer->findNext(text, CaseSensitive())) {
        return true;
    }
    const QPointer<THtmlViewer> searched(viewer);
    if (!WalkPages(field, text)) {
        return false;
    }
    if (pageIndex_ >= pageLists_.at(field).size()) {
        EndWalk(searched.data(), text);
    }
    return true;
}

// In the thesaurus the first search for a text looks for its entry heading.
bool TFindTxtHtml::FindHeading(THtmlViewer& viewer, const QString& text)
{
    if (!context_.ThesaurusMode || prefixTried_) {
        return false;
    }
    prefixTried_ = true;
    return viewer.findNext(HeadingPrefix + text, CaseSensitive());
}

// Walks on from the page after the one the last walk stopped at, letting
// pending events in before each page. The start page is never searched
// again. A stop request leaves the walk on the page it has not searched
// yet; a change of scope (which empties the lists) ends it.
bool TFindTxtHtml::WalkPages(int field, const QString& text)
{
    const std::shared_ptr<bool> alive = alive_;
    const int generation = scopeGeneration_;
    TPageSearchRun run(context_.MainWindow);
    pageLists_[field].clear();
    if (allPages_) {
        BuildDiskPageList(field);
    }
    for (++pageIndex_; pageIndex_ < pageLists_.at(field).size(); ++pageIndex_) {
        QCoreApplication::processEvents();
        if (!*alive) {
            return false;
        }
        if (generation != scopeGeneration_) {
            break;
        }
        if (StopRequested()) {
            --pageIndex_;
            break;
        }
        const QString page = pageLists_.at(field).at(pageIndex_);
        if (page.toLower() == startFile_) {
            continue;
        }
        if (run.PageContains(page, text, CaseSensitive())) {
            ShowFoundPage(page, text);
            break;
        }
    }
    return true;
}

// The walk is over: the next search starts again from the page shown. In
// limited scope the search wraps to the top of the page.
void TFindTxtHtml::EndWalk(THtmlViewer* searched, const QString& text)
{
    pageIndex_ = -1;
    startFile_.clear();
    if (allPages_ || !searched) {
        return;
    }
    searched->moveSelectionToStart();
    if (!searched->findNext(text, CaseSensitive())) {
        ShowStatus(NotFound);
    }
}

// The page the walk found goes into the page panel's viewer (through its
// history when it was shown before), with the occurrence highlighted.
void TFindTxtHtml::ShowFoundPage(const QString& page, const QString& text)
{
    THtmlViewer* current = CurrentViewer();
    if (!current) {
        return;
    }
    current->setVisible(true);
    const QStringList history = current->historyFiles();
    const auto entry = std::find_if(history.begin(), history.end(), [&page](const QString& file) {
        return file.compare(page, Qt::CaseInsensitive) == 0;
    });
    if (entry != history.end()) {
        current->setHistoryIndex(int(entry - history.begin()));
    } else {
        current->loadFile(page);
    }
    if (THtmlViewer* active = current->activeViewer()) {
        active->findNext(text, CaseSensitive());
    }
}

void TFindTxtHtml::BuildDiskPageList(int field)
{
    pageLists_[field] = FindPageLists::DiskPages(context_.AppDir);
}

// The viewer of the field's frame in the page panel's current viewer, or the
// frame the user worked in last.
THtmlViewer* TFindTxtHtml::SearchedViewer(int field) const
{
    THtmlViewer* current = CurrentViewer();
    if (!current) {
        return nullptr;
    }
    THtmlViewer* frame = current->frameViewer(frameNames_.at(field));
    return frame ? frame : current->activeViewer();
}
