#include "app/AppPagePanels.h"

#include "content/HtmlFrame.h"
#include "engine/HtmlViewer.h"

TAppPagePanels::TAppPagePanels(TContentContext context, QWidget* mainWindow,
                               QWidget* backgroundPanel, const TDynamicHTMLArray& records)
    : context_(std::move(context)),
      frame_(CreatePagePanels(mainWindow, backgroundPanel, records, context_))
{
}

TAppPagePanels::~TAppPagePanels()
{
    frame_.reset();
}

std::unique_ptr<TAppPagePanels> TAppPagePanels::Create(TContentContext context, QWidget* mainWindow,
                                                       QWidget* backgroundPanel,
                                                       const TDynamicHTMLArray& records)
{
    auto panels =
        std::make_unique<TAppPagePanels>(std::move(context), mainWindow, backgroundPanel, records);
    return panels->frame_ ? std::move(panels) : nullptr;
}

IPagePanels& TAppPagePanels::Panels()
{
    return *frame_;
}

QStringList TAppPagePanels::HistoryTitles() const
{
    const THtmlViewer* viewer = frame_->CurrentViewer();
    return viewer ? viewer->historyTitles() : QStringList();
}

int TAppPagePanels::HistoryIndex() const
{
    const THtmlViewer* viewer = frame_->CurrentViewer();
    return viewer ? viewer->historyIndex() : 0;
}

void TAppPagePanels::GoToHistory(int index)
{
    frame_->GoToHistory(index);
}

bool TAppPagePanels::CanGoBack() const
{
    const THtmlViewer* viewer = frame_->CurrentViewer();
    return viewer && viewer->canGoBack();
}

bool TAppPagePanels::CanGoForward() const
{
    const THtmlViewer* viewer = frame_->CurrentViewer();
    return viewer && viewer->canGoForward();
}

void TAppPagePanels::SetStandardLayout()
{
    frame_->SetStandardLayout();
}

void TAppPagePanels::SetSkinnedLayout()
{
    frame_->SetSkinnedLayout();
}

QSize TAppPagePanels::LastPictureSize() const
{
    const THtmlViewer* viewer = frame_->CurrentViewer();
    return viewer ? viewer->lastPictureSize() : QSize();
}
