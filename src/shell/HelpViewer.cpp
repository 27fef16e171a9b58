#include "shell/HelpViewer.h"

#include "data/PackedArchive.h"
#include "data/ProcessPaths.h"
#include "platform/CommandLine.h"
#include "platform/Instances.h"
#include "platform/Processes.h"
#include "platform/VirtualFs.h"
#include "shell/ViewerMode.h"

namespace HelpViewer {

namespace {

QString hostFolder(const QString& virtualFolder)
{
    return VirtualFs::instance().resolveExisting(virtualFolder).value_or(QString());
}

// An open-page request names the page below the program folder.
void GoToTopic(TWindowHandle window, TWindowHandle sender, const QString& appDir,
               const QString& page)
{
    if (!page.startsWith(appDir, Qt::CaseInsensitive)) {
        return;
    }
    Instances::SendCopyData(
        window, sender,
        RInstanceMessage::single(RInstanceMessage::KindOpenPage, page.mid(appDir.size())));
}

} // namespace

QString PageOf(const QString& helpFile, const QString& topic)
{
    return topic.isEmpty() ? helpFile : helpFile + QLatin1Char('#') + topic;
}

void Show(const QString& appDir, TWindowHandle sender, const QString& helpFile,
          const QString& topic)
{
    if (helpFile.isEmpty()) {
        return;
    }
    const QString page = PageOf(helpFile, topic);
    if (const auto window = Instances::FindWindowByCaption(ViewerMode::HelpTitle())) {
        GoToTopic(*window, sender, appDir, page);
        return;
    }
    if (!FileOrMemberExists(helpFile)) {
        return;
    }
    const QString disc = hostFolder(appDir);
    const QStringList arguments =
        CommandLine::sameDiscArguments(appDir, Paths().CdRoot, {page, QStringLiteral("/h")});
    Processes::StartOwnProgram(arguments, disc);
}

} // namespace HelpViewer
