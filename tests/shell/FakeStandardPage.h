#pragma once

// Page panels as the program entry would make them, logging into the shell
// tests' call log, with a history the tests set.

#include "RecordingComponents.h"
#include "components/ContentComponents.h"
#include "components/WindowComponents.h"
#include "shell/MainForm.h"

#include <QList>
#include <QPointer>
#include <memory>

namespace shelltest {

struct FakeStandardPage : IStandardPage {
    explicit FakeStandardPage(CallLog& calls) : log(calls), panels(calls) {}

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

// The window's components as the program entry would make them, reduced to
// one FakeStandardPage for the page panels; it keeps the panel records each
// creation was given.
struct FakePageComponents : IWindowComponents {
    explicit FakePageComponents(CallLog& calls) : log(calls) {}
    ~FakePageComponents() override
    {
        if (form) {
            form->SetComponents(nullptr);
        }
    }

    // Installed before the window's start-up.
    void Attach(TMainForm& window)
    {
        form = &window;
        form->SetComponents(this);
    }

    void CreateScreenComponents() override { Make(form->Interface().Html); }
    void CreateViewerComponents(const TDynamicHTMLArray& records) override { Make(records); }
    IStandardPage* StandardPage() const override { return made; }
    void FreeComponents() override
    {
        if (form) {
            form->Components().PagePanels = nullptr;
        }
        made = nullptr;
        page.reset();
    }

    void Make(const TDynamicHTMLArray& records)
    {
        if (records.isEmpty() || page) {
            return;
        }
        panels << records;
        page = std::make_unique<FakeStandardPage>(log);
        page->titles = titles;
        page->index = index;
        page->pictureSize = pictureSize;
        made = page.get();
        form->Components().PagePanels = &page->panels;
    }

    CallLog& log;
    QPointer<TMainForm> form;
    QList<TDynamicHTMLArray> panels;
    std::unique_ptr<FakeStandardPage> page;
    FakeStandardPage* made = nullptr;
    QStringList titles;
    int index = 0;
    QSize pictureSize;
};

} // namespace shelltest
