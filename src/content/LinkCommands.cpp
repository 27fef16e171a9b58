#include "content/LinkCommands.h"

#include "content/ContentContext.h"
#include "content/ContentFiles.h"
#include "content/Desktop.h"
#include "content/LinkForm.h"
#include "content/ViewerInstances.h"
#include "data/PackedArchive.h"
#include "engine/HtmlViewer.h"
#include "engine/PagePaths.h"

// The order of the tests a clicked link goes through; the first that fits
// decides. Files other than pages are handled in LinkFiles.cpp.

namespace {

const QChar Hash = QLatin1Char('#');

// The text from the last "." of the file name on, with whatever follows it.
QString ExtensionOf(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path.at(i);
        if (c == QLatin1Char('.')) {
            return path.mid(i);
        }
        if (c == QLatin1Char('\\') || c == QLatin1Char(':')) {
            break;
        }
    }
    return QString();
}

bool ContainsAny(const QString& text, std::initializer_list<const char*> parts)
{
    for (const char* part : parts) {
        if (text.contains(QLatin1String(part))) {
            return true;
        }
    }
    return false;
}

} // namespace

TLinkCommands::TLinkCommands(IPagePanels& panels, TContentContext& context)
    : panels_(panels), context_(context)
{
}

TLinkCommands::~TLinkCommands() = default;

void TLinkCommands::LinkClick(THtmlViewer* viewer, const QString& target, const QString& url,
                              bool* handled)
{
    bool unused = false;
    bool& answer = handled ? *handled : unused;
    answer = false;
    if (!viewer) {
        return;
    }
    const Link link = Describe(*viewer, target, url);
    if (target.compare(QLatin1String("_blank"), Qt::CaseInsensitive) == 0) {
        answer = true;
        OpenInSeparateWindow(link);
    } else if (RunCommandLink(link)) {
        answer = true;
    } else {
        UnpackListedArchive(link);
        if (IsPageOrPicture(link)) {
            answer = ShowPageOrPicture(link);
        } else {
            answer = true;
            OpenOtherFile(link);
        }
    }
}

TLinkCommands::Link TLinkCommands::Describe(THtmlViewer& viewer, const QString& target,
                                            const QString& url)
{
    const QString expanded = viewer.expandUrl(url).toLower();
    return Link{viewer, target, url, url.toLower(), expanded, ExtensionOf(expanded)};
}

void TLinkCommands::MarkVisited(THtmlViewer& viewer, const QString& file) const
{
    viewer.addVisitedLink(file);
    viewer.checkVisitedLinks();
}

// A viewer instance that already shows the file comes to the front; without
// one a new instance opens it.
void TLinkCommands::OpenInSeparateWindow(const Link& link)
{
    MarkVisited(link.viewer, link.expanded);
    if (!FileOrMemberExists(PagePaths::WithoutAnchor(link.expanded))) {
        return;
    }
    IViewerInstances& instances = Instances();
    for (const TWindowHandle window : instances.ViewerWindows()) {
        if (instances.AskShowsFile(window, link.expanded) == true) {
            instances.BringToFront(window);
            return;
        }
    }
    instances.StartViewer(link.expanded);
}

IViewerInstances& TLinkCommands::Instances()
{
    if (context_.Instances) {
        return *context_.Instances;
    }
    if (!ownInstances_) {
        ownInstances_ = std::make_unique<TViewerInstances>(context_.WindowHandle, context_.DiscHost,
                                                           context_.DiscRootHost);
    }
    return *ownInstances_;
}

// Links that carry a command of the shell rather than a file.
bool TLinkCommands::RunCommandLink(const Link& link)
{
    const QString& url = link.url;
    if (LinkForm::IsWebLink(url)) {
        MarkVisited(link.viewer, link.expanded);
        Desktop::OpenUrl(url.trimmed());
    } else if (const std::optional<QString> named = LinkForm::After(url, "printhtml:")) {
        const QString file = link.viewer.expandUrl(*named);
        MarkVisited(link.viewer, file);
        panels_.PrintPage(file);
    } else if (const std::optional<QString> copied = LinkForm::After(url, "copy:")) {
        MarkVisited(link.viewer, link.expanded);
        CallHook(context_.Hooks.CopyFileToInstallFolder, link.viewer.expandUrl(*copied).toLower());
    } else if (const std::optional<QString> list = LinkForm::After(url, "copylist:")) {
        MarkVisited(link.viewer, link.expanded);
        CallHook(context_.Hooks.CopyListEntry, *list);
    } else if (const std::optional<QString> command = LinkForm::GameCommand(url)) {
        MarkVisited(link.viewer, link.expanded);
        RunGameCommand(*command);
    } else {
        return false;
    }
    return true;
}

QString TLinkCommands::GameCommandOf(const QString& url)
{
    return LinkForm::GameCommand(url).value_or(QString());
}

void TLinkCommands::RunGameCommand(const QString& gameCommand)
{
    QString command = gameCommand;
    QString sound = command;
    CallHook(context_.ExecuteCommand, command, sound, 0, 0, 1);
}

// A member of a listed archive that is not unpacked yet: the archive is
// unpacked into its listing folder first.
void TLinkCommands::UnpackListedArchive(const Link& link)
{
    IArchiveBrowser* browser = context_.ArchiveBrowser();
    if (!browser || !panels_.IsArchiveMode() || link.url.startsWith(Hash) ||
        FileOrMemberExists(PagePaths::WithoutAnchor(link.expanded))) {
        return;
    }
    browser->ExtractArchive(PagePaths::FolderOf(panels_.CurrentDocument()), true);
}

bool TLinkCommands::IsPageOrPicture(const Link& link) const
{
    return link.url.startsWith(Hash) ||
           ContainsAny(link.extension,
                       {".htm", ".txt", ".inf", ".diz", ".bmp", ".gif", ".jpg", ".jpeg"});
}

// The viewer loads pages itself; in an archive listing the shell opens the
// members, leaving the listing's own pages to the viewer.
bool TLinkCommands::ShowPageOrPicture(const Link& link)
{
    if (panels_.IsArchiveMode()) {
        const bool ownPage = ContentFiles::FileNameOf(link.expanded).contains(QLatin1String("as_"));
        if (ownPage || link.url.startsWith(Hash)) {
            return false;
        }
        panels_.OpenFile(link.expanded);
        return true;
    }
    IContentsTree* tree = context_.Tree();
    if (tree && link.extension.startsWith(QLatin1String(".htm"))) {
        tree->SelectNodeOfPage(link.expanded);
    }
    return false;
}
