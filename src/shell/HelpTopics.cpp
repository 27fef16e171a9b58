#include "shell/HelpTopics.h"

#include "data/ValueReaders.h"
#include "platform/Instances.h"
#include "platform/VirtualFs.h"

namespace {

// The help viewer's own caption first, then those a help window may carry.
const char* const helpCaptions[] = {"Помощь", "Help System: Кестрамон", "Справка: Кестрамон",
                                    "Help Topics: Кестрамон", "Кестрамон"};

} // namespace

THelpTopics::THelpTopics(TCommandHost& host, TComponentSet& components)
    : host_(host), components_(components)
{
}

void THelpTopics::ShowForScreen()
{
    switch (host_.CurrentScreen()) {
    case 0:
        Show(QStringLiteral("Topic12"));
        break;
    case 1:
        Show(QStringLiteral("Topic13"));
        break;
    default:
        break;
    }
}

void THelpTopics::ShowForPrintPreview()
{
    Show(QStringLiteral("Topic18"));
}

void THelpTopics::Show(const QString& topic)
{
    VirtualFs::instance().setCurrentFolder(host_.AppDir());
    if (components_.ShowHelp) {
        components_.ShowHelp(ExpandPath(host_.Description().HelpWinFile), topic);
    }
    BringHelpWindowForward();
}

void THelpTopics::BringHelpWindowForward()
{
    for (const char* caption : helpCaptions) {
        if (const auto window = Instances::FindWindowByCaption(QString::fromUtf8(caption))) {
            Instances::BringToFront(*window);
            return;
        }
    }
}
