// Rows 20 to 47 of the command table: pages, search, settings, media,
// installers and, last, the plain screen numbers.

#include "shell/CommandTable.h"
#include "shell/HelpTopics.h"
#include "shell/ThesaurusWindow.h"

namespace {

constexpr int buttonKind = 0;
const QString chooseArchive = QStringLiteral("Выберите файл для распаковки.");

} // namespace

void TCommandTable::Html(const TCommandRequest& request)
{
    if (IPagePanels* panels = components_.PagePanels) {
        panels->RememberCommandPage(request.Text.Value);
        panels->OpenInPanel(TCommandText::NumberFrom(request.Text.Command, 5), request.Text.Value);
    }
}

void TCommandTable::CopyHtml(const TCommandRequest&)
{
    if (components_.PagePanels) {
        components_.PagePanels->CopyPage();
    }
}

void TCommandTable::PrintHtml(const TCommandRequest&)
{
    if (components_.PagePanels) {
        components_.PagePanels->PrintPage(QString());
    }
}

void TCommandTable::TopHtml(const TCommandRequest&)
{
    if (components_.PagePanels) {
        components_.PagePanels->ScrollToTop();
    }
}

void TCommandTable::NextChapter(const TCommandRequest&)
{
    if (components_.PagePanels) {
        components_.PagePanels->NextChapter();
    }
}

void TCommandTable::PrevChapter(const TCommandRequest&)
{
    if (components_.PagePanels) {
        components_.PagePanels->PrevChapter();
    }
}

// The thesaurus window searches in its own panel; the shell asks its dialog.
void TCommandTable::FindNext(const TCommandRequest& request)
{
    if (host_.ThesaurusMode()) {
        if (components_.FindPanel) {
            components_.FindPanel->FindNext(TCommandText::NumberFrom(request.Text.Command, 9));
        }
    } else if (components_.Dialog) {
        components_.Dialog->ShowDialogPage(1, QString());
    }
}

void TCommandTable::FindAllPages(const TCommandRequest&)
{
    if (components_.FindPanel) {
        components_.FindPanel->SetPageScope(true);
    }
}

void TCommandTable::FindLimited(const TCommandRequest&)
{
    if (components_.FindPanel) {
        components_.FindPanel->SetPageScope(false);
    }
}

void TCommandTable::CaseOn(const TCommandRequest&)
{
    host_.SetCaseSensitive(true);
}

void TCommandTable::CaseOff(const TCommandRequest&)
{
    host_.SetCaseSensitive(false);
}

// A clip that plays stops before the music comes back.
void TCommandTable::BackgroundSound(const TCommandRequest& request)
{
    if (request.Kind != buttonKind) {
        return;
    }
    IBackgroundMusic* music = components_.Music;
    if (host_.BackgroundMusicOn()) {
        if (music) {
            music->StopMusic(true);
        }
        host_.SetBackgroundMusic(false);
        return;
    }
    if (components_.ClipPlayer) {
        components_.ClipPlayer->Close();
    }
    host_.SetBackgroundMusic(true);
    if (music) {
        music->StartMusic();
    }
}

void TCommandTable::StandardWindow(const TCommandRequest&)
{
    if (components_.ShowStandardWindow) {
        components_.ShowStandardWindow();
    }
}

void TCommandTable::Options(const TCommandRequest&)
{
    if (components_.Options) {
        components_.Options->ShowOptions();
    }
}

void TCommandTable::Help(const TCommandRequest&)
{
    help_.ShowForScreen();
}

// The archive listed last goes into the installation folder.
void TCommandTable::Unarc(const TCommandRequest&)
{
    IPagePanels* panels = components_.PagePanels;
    if (panels && panels->IsArchiveMode()) {
        if (components_.ArchiveBrowser) {
            const QString target =
                components_.PathInputs ? components_.PathInputs->InstallFolder() : QString();
            components_.ArchiveBrowser->ExtractArchive(target, false);
        }
    } else if (components_.Dialog) {
        components_.Dialog->ShowDialogPage(0, chooseArchive);
    }
}

void TCommandTable::Play(const TCommandRequest&)
{
    if (components_.ClipPlayer) {
        components_.ClipPlayer->PlayClip(QString(), QString(), 0);
    }
}

void TCommandTable::Stop(const TCommandRequest&)
{
    if (components_.ClipPlayer) {
        components_.ClipPlayer->Stop();
    }
}

void TCommandTable::Pause(const TCommandRequest&)
{
    if (components_.ClipPlayer) {
        components_.ClipPlayer->SetNotify(false);
        components_.ClipPlayer->PauseOrResume();
    }
}

void TCommandTable::StepForward(const TCommandRequest&)
{
    if (components_.ClipPlayer) {
        components_.ClipPlayer->StepForward();
    }
}

void TCommandTable::StepBack(const TCommandRequest&)
{
    if (components_.ClipPlayer) {
        components_.ClipPlayer->StepBack();
    }
}

void TCommandTable::Clip(const TCommandRequest& request)
{
    if (components_.ClipPlayer) {
        components_.ClipPlayer->PlayClip(request.Text.Value, request.Text.Param, 4);
    }
}

void TCommandTable::NextPicture(const TCommandRequest&)
{
    if (components_.SlideShow) {
        components_.SlideShow->NextPicture();
    }
}

void TCommandTable::PrevPicture(const TCommandRequest&)
{
    if (components_.SlideShow) {
        components_.SlideShow->PreviousPicture();
    }
}

void TCommandTable::InstallFonts(const TCommandRequest&)
{
    if (components_.FontInstaller) {
        components_.FontInstaller->InstallFonts();
    }
}

void TCommandTable::RunGame(const TCommandRequest& request)
{
    if (components_.Games) {
        components_.Games->RunGame(request.Text.Value, request.Text.Param);
    }
}

void TCommandTable::DeleteGame(const TCommandRequest& request)
{
    if (components_.Games) {
        components_.Games->RemoveGame(request.Text.Value);
    }
}

// A search still running stops with its dialog before the screen changes. A
// plain screen number names no start page: the page being read stays.
void TCommandTable::ScreenNumber(const TCommandRequest& request)
{
    const int screen = TCommandText::NumberFrom(request.Text.Command, 1) - 1;
    if (!ValidScreen(screen)) {
        return;
    }
    if (components_.FindPanel && components_.Dialog && components_.Dialog->IsVisible()) {
        components_.FindPanel->SetIdle(true);
        components_.Dialog->Close();
    }
    if (components_.Tree) {
        components_.Tree->SetScreenStartFile(QString());
    }
    host_.SwitchScreen(screen, request.Index, request.Kind);
}
