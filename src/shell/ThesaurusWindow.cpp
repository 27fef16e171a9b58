#include "shell/ThesaurusWindow.h"

#include "data/PackedArchive.h"
#include "data/ProcessPaths.h"
#include "platform/CommandLine.h"
#include "platform/Instances.h"
#include "platform/Processes.h"
#include "platform/VirtualFs.h"

namespace {

const QString thesaurusCaption = QStringLiteral("Тезаурус");

QString hostFolder(const QString& virtualFolder)
{
    return VirtualFs::instance().resolveExisting(virtualFolder).value_or(QString());
}

} // namespace

TThesaurusWindow::TThesaurusWindow(TCommandHost& host, TComponentSet& components)
    : host_(host), components_(components)
{
}

void TThesaurusWindow::Open(const QString& word)
{
    if (!components_.CreateThesaurusSearch) {
        return;
    }
    const std::unique_ptr<IThesaurusSearch> search = components_.CreateThesaurusSearch();
    if (!search) {
        return;
    }
    search->SetIndexFolder(host_.AppDir());
    QString page;
    if (!search->FindPage(word.trimmed(), page)) {
        return;
    }
    page = host_.AppDir() + page;
    if (const auto window = Instances::FindWindowByCaption(thesaurusCaption)) {
        SendToRunningWindow(*window, page);
    } else {
        StartInstance(page);
    }
}

void TThesaurusWindow::SendToRunningWindow(TWindowHandle window, const QString& page)
{
    Instances::ShowNormal(window);
    Instances::BringToFront(window);
    Instances::SendCopyData(window, host_.WindowHandle(),
                            RInstanceMessage::single(RInstanceMessage::KindOpenPage, page));
}

// The page (anchor cut off) must exist on the disc or in the packed archive.
void TThesaurusWindow::StartInstance(const QString& page)
{
    const QString file = page.left(page.indexOf(QLatin1Char('#')));
    if (!FileOrMemberExists(file)) {
        return;
    }
    const QString disc = hostFolder(host_.AppDir());
    const QStringList arguments = CommandLine::sameDiscArguments(host_.AppDir(), Paths().CdRoot,
                                                                 {page, QStringLiteral("/t")});
    Processes::StartOwnProgram(arguments, disc);
}
