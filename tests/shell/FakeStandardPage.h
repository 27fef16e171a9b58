#pragma once

// Page panels as the factory of the program entry would make them, logging
// into the shell tests' call log, with a history the tests set.

#include "ComponentFactories.h"
#include "RecordingComponents.h"

#include <QList>
#include <memory>

namespace shelltest {

struct FakeStandardPage : IPagePanelsComponent, IStandardPage {
    explicit FakeStandardPage(CallLog& calls) : log(calls), panels(calls) {}

    IPagePanels& Panels() override { return panels; }
    IStandardPage& StandardPage() override { return *this; }
    QStringList HistoryTitles() const override { return titles; }
    int HistoryIndex() const override { return index; }
    void GoToHistory(int entry) override { log.add("Page.GoToHistory", entry); }
    bool CanGoBack() const override { return index + 1 < titles.size(); }
    bool CanGoForward() const override { return index > 0; }
    void SetStandardLayout() override { log.add("Page.SetStandardLayout"); }
    void SetSkinnedLayout() override { log.add("Page.SetSkinnedLayout"); }
    QSize LastPictureSize() const override { return pictureSize; }

    CallLog& log;
    FakePagePanels panels;
    QStringList titles;
    int index = 0;
    QSize pictureSize;
};

// A factory that makes one FakeStandardPage and keeps what it was given.
struct FakePageFactory {
    explicit FakePageFactory(CallLog& calls) : log(calls) {}

    decltype(TComponentFactories::PagePanels) Factory()
    {
        return [this](const TPagePanelsContext& context) {
            contexts << context;
            auto page = std::make_unique<FakeStandardPage>(log);
            page->titles = titles;
            page->index = index;
            page->pictureSize = pictureSize;
            made = page.get();
            return std::unique_ptr<IPagePanelsComponent>(std::move(page));
        };
    }

    CallLog& log;
    QList<TPagePanelsContext> contexts;
    FakeStandardPage* made = nullptr;
    QStringList titles;
    int index = 0;
    QSize pictureSize;
};

} // namespace shelltest
