#include "content/ViewerInstances.h"

#include "platform/CommandLine.h"
#include "platform/Instances.h"
#include "platform/Processes.h"

#include <QFileInfo>
#include <utility>

TViewerInstances::TViewerInstances(TWindowHandle sender, QString discHost, QString discRootHost)
    : sender_(sender), discHost_(std::move(discHost)), discRootHost_(std::move(discRootHost))
{
}

QList<TWindowHandle> TViewerInstances::ViewerWindows()
{
    QList<TWindowHandle> windows;
    for (const WindowRegistry::Info& info : Instances::TopLevelWindows()) {
        if (info.visible &&
            WindowRegistry::CaptionMatches(info.caption, ViewerCaption(), CaptionLength)) {
            windows.append(info.handle);
        }
    }
    return windows;
}

std::optional<bool> TViewerInstances::AskShowsFile(TWindowHandle window, const QString& file)
{
    return Instances::AskShowsFile(window, sender_, file, AnswerTimeoutMs);
}

void TViewerInstances::BringToFront(TWindowHandle window)
{
    Instances::ShowNormal(window);
    Instances::BringToFront(window);
}

bool TViewerInstances::StartViewer(const QString& file)
{
    const QStringList arguments = CommandLine::instanceArguments(discHost_, discRootHost_, {file});
    // The disc may be an image file: the viewer starts in the folder holding it.
    const QFileInfo disc(discHost_);
    return Processes::StartOwnProgram(arguments, disc.isFile() ? disc.absolutePath() : discHost_);
}
