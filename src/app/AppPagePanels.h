#pragma once

#include "components/ContentComponents.h"
#include "content/ContentContext.h"

#include <QString>
#include <memory>

class THtmlFrame;
class QWidget;

// The content's page panels with what the standard window asks of them: the
// current viewer's history, the layouts and the size of the picture shown.
class TAppPagePanels final : public IStandardPage {
public:
    TAppPagePanels(TContentContext context, QWidget* mainWindow, QWidget* backgroundPanel,
                   const TDynamicHTMLArray& records);
    ~TAppPagePanels() override;

    // Null when the records name no panel.
    static std::unique_ptr<TAppPagePanels> Create(TContentContext context, QWidget* mainWindow,
                                                  QWidget* backgroundPanel,
                                                  const TDynamicHTMLArray& records);

    IPagePanels& Panels();
    THtmlFrame* Frame() const { return frame_.get(); }
    // What the panels were made with, the calls into the window among it.
    const TContentContext& Context() const { return context_; }

    QStringList HistoryTitles() const override;
    int HistoryIndex() const override;
    void GoToHistory(int index) override;
    bool CanGoBack() const override;
    bool CanGoForward() const override;
    void SetStandardLayout() override;
    void SetSkinnedLayout() override;
    QSize LastPictureSize() const override;

private:
    // The panels keep a reference to it.
    TContentContext context_;
    std::unique_ptr<THtmlFrame> frame_;
};
