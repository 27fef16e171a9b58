#include "data/Busy.h"
#include "data/PackedArchive.h"
#include "engine/HtmlViewer.h"
#include "search/FindPageLists.h"
#include "search/FindTxtHtml.h"
#include "search/FindTxtTexts.h"
#include "search/PageSearchRun.h"
#include "search/PageTitles.h"
#include "search/index/MakeFind.h"

#include <QCoreApplication>

using namespace FindTxtTexts;

// The pages of the keyword from the index; when the index has no answer, the
// archive's pages that contain the text. Keywords match without regard to
// letter case whatever the case switch says; the scan honours it.
bool TFindTxtHtml::FindInIndex(int field)
{
    const QString text = FieldText(field);
    if (text.isEmpty()) {
        ShowStatus(EnterWord);
        return true;
    }
    followNumber_ = numbers_.at(field);
    const RFindResults previous = results_;
    results_.Files.clear();
    results_.Titles.clear();
    TMakeFind find;
    find.SetIndexFolder(context_.AppDir);
    if (find.FindKeyword(text, results_, false)) {
        for (QString& file : results_.Files) {
            file.prepend(context_.AppDir);
        }
    } else if (find.IndexDamaged()) {
        // A damaged index ends the search; the list shown stays as it was.
        results_ = previous;
        return true;
    } else if (!ScanArchivePages(field, text)) {
        return false;
    }
    if (IScaleBar* bar = ScaleBar()) {
        bar->ResetBar();
    }
    if (ISkinnedDialog* dialog = Dialog()) {
        dialog->ShowResults(results_.Titles);
    }
    if (results_.Files.isEmpty()) {
        ShowStatus(NotFound);
    }
    return true;
}

// Every page of the field's list (the archive's pages unless a walk left a
// list) is searched in turn; a page found is listed under its files.idx
// title, and one without a title there is not listed. A stop request ends the
// scan with the pages found so far. The scan leaves no walk position behind.
bool TFindTxtHtml::ScanArchivePages(int field, const QString& text)
{
    SetIdle(false);
    pageIndex_ = -1;
    const std::shared_ptr<bool> alive = alive_;
    TPageSearchRun run(context_.MainWindow);
    if (pageLists_.at(field).isEmpty()) {
        BuildArchivePageList(field);
    }
    const TDynamicStringArray pages = pageLists_.at(field);
    IScaleBar* bar = ScaleBar();
    const double step =
        bar && !pages.isEmpty() ? double(bar->BarWidth()) / double(pages.size()) : 0.0;
    TPageTitles titles(context_.AppDir + PagesFile);
    for (pageIndex_ = 0; pageIndex_ < pages.size(); ++pageIndex_) {
        QCoreApplication::processEvents();
        if (!*alive) {
            return false;
        }
        if (StopRequested()) {
            break;
        }
        StepProgress((pageIndex_ + 1) * step);
        const QString& page = pages.at(pageIndex_);
        if (!run.PageContains(page, text, CaseSensitive())) {
            continue;
        }
        if (const std::optional<QString> title = titles.TitleOf(page)) {
            results_.Files.append(page);
            results_.Titles.append(*title);
        }
    }
    pageIndex_ = -1;
    return true;
}

// Fills the progress bar one column at a time until it passes target; a bar
// that stops growing ends the steps.
void TFindTxtHtml::StepProgress(double target)
{
    IScaleBar* bar = ScaleBar();
    if (!bar) {
        return;
    }
    while (bar->FilledWidth() <= target) {
        const int before = bar->FilledWidth();
        bar->StepBar();
        if (bar->FilledWidth() <= before) {
            return;
        }
    }
}

void TFindTxtHtml::BuildArchivePageList(int field)
{
    pageLists_[field] = FindPageLists::ArchivePages(ListArchive(), context_.ArchiveBase,
                                                    noFiles_.at(field), allPages_);
}

void TFindTxtHtml::FindInContents(int field)
{
    const QString text = FieldText(field);
    if (text.isEmpty()) {
        ShowStatus(EnterWord);
        return;
    }
    IContentsTree* tree = context_.Components ? context_.Components->Tree : nullptr;
    if (!tree || !tree->FindCaption(text)) {
        ShowStatus(NotFound);
    }
}

// Entry k of the list: its page is opened unless shown, and the text
// highlighted in it by a page search of the field the index search came from.
void TFindTxtHtml::FollowResult(int index)
{
    if (searching_ || Busy() || index < 0 || index >= results_.Files.size()) {
        return;
    }
    QString file = results_.Files.at(index);
    THtmlViewer* current = CurrentViewer();
    const QString shown = current ? current->currentFile() : QString();
    if (file.compare(shown, Qt::CaseInsensitive) != 0) {
        if (!file.contains(QLatin1Char('\\'))) {
            file.prepend(context_.AppDir);
        }
        if (current) {
            current->loadFile(file);
        }
        if (context_.Components && context_.Components->Tree) {
            context_.Components->Tree->SelectNodeOfPage(QString());
        }
    }
    const std::shared_ptr<bool> alive = alive_;
    indexMode_ = false;
    FindNext(followNumber_);
    if (*alive) {
        indexMode_ = true;
    }
}
