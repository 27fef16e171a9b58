#include "shell/InstanceMessages.h"

#include "platform/Instances.h"
#include "platform/Refusal.h"
#include "platform/VirtualFs.h"
#include "platform/WritePolicy.h"

#include <optional>

namespace {

enum TSelector { SelectFile = 0, SelectWidth = 1, SelectHeight = 2 };

QString fileNameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
}

std::optional<int> decimal(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

TInstanceMessages::TInstanceMessages(TCommandHost& host, TComponentSet& components)
    : host_(host), components_(components)
{
}

void TInstanceMessages::ClearReply()
{
    replyReceived_ = false;
    replyYes_ = false;
}

// The panels exist wherever the description declares one, and always in the
// file viewer and the thesaurus window.
bool TInstanceMessages::HasHtmlPanel() const
{
    return components_.PagePanels || !host_.Description().Html.isEmpty() || host_.ViewerMode() ||
           host_.ThesaurusMode();
}

void TInstanceMessages::CopyData(TWindowHandle sender, const RInstanceMessage& message)
{
    if (!HasHtmlPanel()) {
        return;
    }
    switch (message.Kind) {
    case RInstanceMessage::KindOpenPage:
        OpenPage(sender, message.Texts[0]);
        break;
    case RInstanceMessage::KindPrintFile:
        PrintFile(message);
        break;
    case RInstanceMessage::KindAskShown:
        AnswerShown(sender, message);
        break;
    default:
        break;
    }
}

void TInstanceMessages::OpenPage(TWindowHandle sender, const QString& page)
{
    if (host_.ThesaurusMode()) {
        if (components_.PagePanels) {
            components_.PagePanels->LoadInCurrentViewer(page);
        }
        return;
    }
    ShowPageOnScreen(page);
    if (components_.Tree) {
        components_.Tree->SelectNodeOfPage(QString());
    }
    Instances::PostMessage(sender, InstanceMessageId::PageShown, host_.WindowHandle(), 0);
}

// From the start screen the page opens on the content screen through the
// contents tree; elsewhere the current viewer loads it unless it shows it. The
// file viewer has no content screen: its one viewer loads the page.
void TInstanceMessages::ShowPageOnScreen(const QString& page)
{
    if (host_.CurrentScreen() == 0 && !host_.ViewerMode()) {
        requestText_ = QStringLiteral("screen2=") + host_.AppDir() + page;
        QString command = requestText_;
        QString sound = requestText_;
        host_.ExecuteCommand(command, sound, 0, 0, 1);
        return;
    }
    IPagePanels* panels = components_.PagePanels;
    if (panels &&
        fileNameOf(panels->CurrentDocument()).toLower().compare(page, Qt::CaseInsensitive) != 0) {
        panels->LoadInCurrentViewer(host_.AppDir() + page);
    }
}

// Width and height must be decimal numbers; a request with a bad one is
// dropped as a whole, before anything changes.
void TInstanceMessages::PrintFile(const RInstanceMessage& message)
{
    const int count = qMin(int(message.Count), RInstanceMessage::SlotCount);
    std::optional<QString> file;
    std::optional<int> width;
    std::optional<int> height;
    for (int i = 0; i < count; ++i) {
        const QString& text = message.Texts[size_t(i)];
        switch (message.Selectors[size_t(i)]) {
        case SelectFile:
            file = text;
            break;
        case SelectWidth:
            if (!(width = decimal(text))) {
                return;
            }
            break;
        case SelectHeight:
            if (!(height = decimal(text))) {
                return;
            }
            break;
        default:
            break;
        }
    }
    IPagePanels* panels = components_.PagePanels;
    if (panels) {
        panels->SetPicturePrint(true);
    }
    if (file) {
        requestText_ = *file;
    }
    if (panels && width) {
        panels->SetPictureWidth(*width);
    }
    if (panels && height) {
        panels->SetPictureHeight(*height);
    }
    Instances::PostMessage(host_.WindowHandle(), InstanceMessageId::PrintRequest, 0, 0);
}

// Only a file viewer was started with a file; a shell never answers yes.
void TInstanceMessages::AnswerShown(TWindowHandle sender, const RInstanceMessage& message)
{
    const QString shown = host_.ViewerFile().trimmed();
    const bool yes = message.Selectors[0] == 0 && !shown.isEmpty() && shown == message.Texts[0];
    Instances::SendMessage(sender, InstanceMessageId::Reply, yes ? 1 : 0, 0);
}

void TInstanceMessages::Message(quint32 message, quint64 wParam, qint64)
{
    if (message == InstanceMessageId::PrintRequest) {
        PrintRequested();
    } else if (message == InstanceMessageId::Reply) {
        replyReceived_ = true;
        replyYes_ = wParam == 1;
    }
}

// The file was handed over for printing only; it goes once printed. A peer
// names it, so only a print job in our temporary folder is ever removed.
void TInstanceMessages::PrintRequested()
{
    if (!components_.PagePanels || requestText_.isEmpty()) {
        return;
    }
    components_.PagePanels->PrintPage(requestText_);
    const std::optional<QString> job = VirtualFs::normalize(requestText_);
    if (job && job->startsWith(QLatin1String("c:\\windows\\temp\\"), Qt::CaseInsensitive)) {
        WritePolicy::removeEntry(*job, QString());
    } else {
        Refusal::log(QStringLiteral("a removal a peer asked for"), requestText_);
    }
}
