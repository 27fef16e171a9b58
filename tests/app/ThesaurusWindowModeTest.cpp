// The thesaurus window with its real components on the demo disc: built from
// Tesaurus.cfs around the page of its command line, one at a time, ending on
// Escape, and the archive browser of the skinned window.

#include "DemoDisc.h"
#include "app/AppPagePanels.h"
#include "app/ShellComponents.h"
#include "components/ContentComponents.h"
#include "shell/MainForm.h"
#include "shell/ShellGlobals.h"

#include <QImage>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

class ThesaurusWindowModeTest : public testing::Test {
protected:
    // A thesaurus instance started on the page, as "tesaurus" starts it. The
    // fixture keeps it: its components go before it, as in the program.
    TMainForm* start(const QString& page)
    {
        TStartupContext context = demo.context();
        context.RawCommandLine += QLatin1Char(' ') + page + QStringLiteral(" /t");
        context.ArgumentCount = 2;
        forms.push_back(std::make_unique<TMainForm>(context));
        TMainForm* form = forms.back().get();
        components.push_back(std::make_unique<TShellComponents>(*form, QString(), QString()));
        form->SetComponents(components.back().get());
        form->FormCreate();
        return form;
    }
    void TearDown() override
    {
        components.clear();
        forms.clear();
    }

    shelltest::DemoDisc demo;
    std::vector<std::unique_ptr<TMainForm>> forms;
    std::vector<std::unique_ptr<TShellComponents>> components;
};

TEST_F(ThesaurusWindowModeTest, TheWindowShowsThePageOfItsCommandLineWithItsFindField)
{
    const QString page = demo.appDir() + QStringLiteral("tezaurus\\index.htm");
    TMainForm* const form = start(QLatin1Char('"') + page + QLatin1Char('"'));
    ASSERT_FALSE(form->TerminationRequested());
    EXPECT_TRUE(form->ThesaurusWindow());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Тезаурус"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->size(), QSize(560, 552)) << "the size of the screen's picture";
    const TComponentSet& set = form->Components();
    ASSERT_NE(set.PagePanels, nullptr);
    EXPECT_EQ(set.PagePanels->CurrentDocument().toLower(), page.toLower());
    ASSERT_NE(set.FindPanel, nullptr);
    ASSERT_EQ(set.FindPanel->Edits().size(), 1);
    EXPECT_TRUE(set.FindPanel->Edits().first()->isVisible());
    EXPECT_EQ(set.FindPanel->Edits().first()->parentWidget(), form)
        << "the field sits on the thesaurus window";
    EXPECT_GE(form->Interface().Buttons.value(0).size(), 2) << "minimise and close";
}

TEST_F(ThesaurusWindowModeTest, ASecondThesaurusEndsAtOnceAndEscapeEndsTheFirst)
{
    const QString page = demo.appDir() + QStringLiteral("tezaurus\\index.htm");
    TMainForm* const first = start(page);
    ASSERT_FALSE(first->TerminationRequested());
    TMainForm* const second = start(page);
    EXPECT_TRUE(second->TerminationRequested());
    EXPECT_FALSE(second->isVisible());
    first->FormKeyDown(TKeySender::MainWindow, Qt::Key_Escape, Qt::NoModifier);
    EXPECT_TRUE(first->TerminationRequested());
}

TEST_F(ThesaurusWindowModeTest, TheSkinnedWindowHasAnArchiveBrowserAndAThesaurusLookup)
{
    auto form = std::make_unique<TMainForm>(demo.context());
    TShellComponents shell(*form, QString(), QString());
    form->SetComponents(&shell);
    form->FormCreate();
    ASSERT_FALSE(form->TerminationRequested());
    const TComponentSet& set = form->Components();
    EXPECT_NE(set.ArchiveBrowser, nullptr);
    ASSERT_TRUE(set.CreateThesaurusSearch);
    const std::unique_ptr<IThesaurusSearch> search = set.CreateThesaurusSearch();
    search->SetIndexFolder(demo.appDir());
    QString start;
    ASSERT_TRUE(search->FindPage(QString(), start));
    EXPECT_EQ(start, QStringLiteral("tezaurus\\index.htm"));
    shell.FreeComponents();
    EXPECT_EQ(set.ArchiveBrowser, nullptr);
}

} // namespace
