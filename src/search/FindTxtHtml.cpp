#include "search/FindTxtHtml.h"

#include "data/Busy.h"
#include "search/FindTxtTexts.h"

#include <QLineEdit>

using namespace FindTxtTexts;

namespace {

// Clears the searching flag when a search ends, unless the panel went away.
class TSearchingScope {
public:
    TSearchingScope(bool& flag, std::shared_ptr<bool> alive) : flag_(flag), alive_(std::move(alive))
    {
        flag_ = true;
    }
    ~TSearchingScope()
    {
        if (*alive_) {
            flag_ = false;
        }
    }
    TSearchingScope(const TSearchingScope&) = delete;
    TSearchingScope& operator=(const TSearchingScope&) = delete;

private:
    bool& flag_;
    std::shared_ptr<bool> alive_;
};

} // namespace

TFindTxtHtml::TFindTxtHtml(const TFindPanelContext& context,
                           std::function<THtmlViewer*()> currentViewer)
    : context_(context), currentViewer_(std::move(currentViewer))
{
    ISkinnedDialog* dialog = Dialog();
    QWidget* parent = dialog ? dialog->DialogWindow() : nullptr;
    if (!parent && context_.ThesaurusMode) {
        parent = context_.MainWindow;
    }
    for (const RFindTxt& record : context_.Records) {
        edits_.append(CreateEdit(record, parent));
        frameNames_.append(record.Frame);
        noFiles_.append(record.NoFiles);
        numbers_.append(record.Number);
        screens_.append(record.Screen);
        pageLists_.append(TDynamicStringArray());
    }
    pageIndex_ = -1;
    lastScreen_ = -1;
    ShowScreenEdits();
}

TFindTxtHtml::~TFindTxtHtml()
{
    *alive_ = false;
    for (const QPointer<QLineEdit>& edit : std::as_const(edits_)) {
        delete edit.data();
    }
}

int TFindTxtHtml::FieldOf(int number) const
{
    return int(numbers_.indexOf(number));
}

QString TFindTxtHtml::FieldText(int field) const
{
    const QLineEdit* edit = edits_.value(field);
    return edit ? edit->text() : QString();
}

// A search while one runs (reached through the events a walk lets in) is a
// request to stop that one.
void TFindTxtHtml::FindNext(int number)
{
    if (searching_ || Busy()) {
        SetIdle(true);
        return;
    }
    const int field = FieldOf(number);
    if (field < 0) {
        return;
    }
    const std::shared_ptr<bool> alive = alive_;
    {
        TSearchingScope searching(searching_, alive);
        ClearStatus();
        NormalizeText(field);
        bool kept = true;
        if (contentsMode_) {
            FindInContents(field);
        } else if (indexMode_) {
            kept = FindInIndex(field);
        } else {
            kept = FindInPages(field);
        }
        if (!kept) {
            return;
        }
    }
    SetIdle(true);
}

void TFindTxtHtml::SetPageScope(bool allPages)
{
    if (allPages != allPages_) {
        for (TDynamicStringArray& list : pageLists_) {
            list.clear();
        }
        pageIndex_ = -1;
        startFile_.clear();
        allPages_ = allPages;
        ++scopeGeneration_;
    }
    indexMode_ = false;
    contentsMode_ = false;
}

void TFindTxtHtml::SetIdle(bool idle)
{
    idle_ = idle;
    if (ISkinnedDialog* dialog = Dialog()) {
        dialog->SetSearchHint(idle ? SearchHint : StopHint);
    }
}

void TFindTxtHtml::SetIndexMode(bool on)
{
    indexMode_ = on;
    contentsMode_ = contentsMode_ && !on;
}

void TFindTxtHtml::SetContentsMode(bool on)
{
    contentsMode_ = on;
    indexMode_ = indexMode_ && !on;
}

THtmlViewer* TFindTxtHtml::CurrentViewer() const
{
    return currentViewer_ ? currentViewer_() : nullptr;
}

ISkinnedDialog* TFindTxtHtml::Dialog() const
{
    return context_.Components ? context_.Components->Dialog : nullptr;
}

IScaleBar* TFindTxtHtml::ScaleBar() const
{
    return context_.Components ? context_.Components->ScaleBar : nullptr;
}

void TFindTxtHtml::ShowStatus(const QString& text)
{
    if (context_.Components && context_.Components->StatusLine) {
        context_.Components->StatusLine->ShowStatus(text);
    }
}

void TFindTxtHtml::ClearStatus()
{
    if (context_.Components && context_.Components->StatusLine) {
        context_.Components->StatusLine->ClearStatus();
    }
}

bool TFindTxtHtml::CaseSensitive() const
{
    return context_.CaseSensitive && context_.CaseSensitive();
}

std::unique_ptr<IFindPanel> CreateFindPanel(const TFindPanelContext& context,
                                            std::function<THtmlViewer*()> currentViewer)
{
    if (context.Records.isEmpty()) {
        return nullptr;
    }
    return std::make_unique<TFindTxtHtml>(context, std::move(currentViewer));
}
