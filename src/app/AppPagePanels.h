#pragma once

#include "ComponentFactories.h"
#include "ContentContext.h"

#include <QString>
#include <memory>

class THtmlFrame;

// The content's page panels behind the shell's interfaces: the program entry
// installs Factory() so that the shell creates them without knowing them.
class TAppPagePanels final : public IPagePanelsComponent, public IStandardPage {
public:
    // discHost, discRootHost: the disc that separate viewer windows open.
    TAppPagePanels(const TPagePanelsContext& shell, const QString& discHost,
                   const QString& discRootHost);
    ~TAppPagePanels() override;

    // Null when the records name no panel.
    static std::unique_ptr<IPagePanelsComponent>
    Create(const TPagePanelsContext& shell, const QString& discHost, const QString& discRootHost);
    static decltype(TComponentFactories::PagePanels) Factory(const QString& discHost,
                                                             const QString& discRootHost);

    IPagePanels& Panels() override;
    IStandardPage& StandardPage() override { return *this; }

    QStringList HistoryTitles() const override;
    int HistoryIndex() const override;
    void GoToHistory(int index) override;
    bool CanGoBack() const override;
    bool CanGoForward() const override;
    void SetStandardLayout() override;
    void SetSkinnedLayout() override;
    QSize LastPictureSize() const override;

    THtmlFrame* Frame() const { return frame_.get(); }

private:
    TContentContext context_;
    std::unique_ptr<THtmlFrame> frame_;
};
