// The thesaurus window: a second instance of the program that builds a
// small plain window from "Tesaurus.cfs" around one page panel and the
// find fields, opened on the page of its command line.

#include "data/ConfigText.h"
#include "data/ReadBin.h"
#include "data/ValueReaders.h"
#include "interface/InterfaceParser.h"
#include "platform/InstanceLock.h"
#include "shell/MainForm.h"
#include "shell/PictureStream.h"
#include "shell/ScreenPictures.h"
#include "shell/ShellGlobals.h"
#include "shell/ShellLog.h"
#include "shell/ThesaurusStart.h"

#include <QApplication>

void TMainForm::BuildThesaurusWindow()
{
    thesaurusMode_ = true;
    const QString page =
        ThesaurusStart::PageOfCommandLine(context_.RawCommandLine, context_.ProgramFile);
    ReadThesaurusDescription(page);
    setWindowTitle(ThesaurusStart::Caption());
    QApplication::setApplicationDisplayName(ThesaurusStart::Caption());
    if (!ClaimThesaurusLock()) {
        RequestTermination(0);
        return;
    }
    setAttribute(Qt::WA_TranslucentBackground, false);
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
    setAcceptDrops(true);
    Shell().CurrentScreen = 0;
    if (pictureStream_) {
        BuildScreen(0);
    }
    const QSize size = pictures_->Background().size();
    setFixedSize(size.isEmpty() ? QSize(0, 0) : size);
    if (!components_->RunThesaurusMode()) {
        EndStartup(QStringLiteral("the thesaurus window is not part of this build"));
        return;
    }
    show();
    if (set_.FindPanel) {
        set_.FindPanel->ShowEdits(false);
    }
}

// Every element goes to the screen its marker names; the page panels show
// the page of the command line whatever their "fn" says. Without the
// container or the description the window stays empty.
void TMainForm::ReadThesaurusDescription(const QString& page)
{
    resourceBin_ = new TReadBin(this);
    if (!OpenResourceBin()) {
        return;
    }
    QByteArray encoded;
    if (resourceBin_->ReadToBuffer(ThesaurusStart::DescriptionFile(), encoded) < 0) {
        LogSwallowed(QStringLiteral("thesaurus"), QStringLiteral("no Tesaurus.cfs in Mev.dhl"));
    } else {
        DecodeConfig(encoded, structLines_, true);
    }
    interface_ = ReadInterfaceDescription(structLines_);
    const QString file = ExpandPath(page);
    for (RHTML& panel : interface_.Html) {
        panel.File = file;
    }
    if (interface_.Buttons.isEmpty()) {
        interface_.Buttons = {TDynamicBtnArray()};
        interface_.Switches = {TDynamicSwthOneArray()};
        interface_.SwitchGroups = {TDynamicSwthGrpArray()};
    }
}

// One thesaurus window at a time: a second one ends at once.
bool TMainForm::ClaimThesaurusLock()
{
    const QString name = ThesaurusStart::Caption();
    instanceLock_ = context_.LockFolder.isEmpty()
                        ? std::make_unique<InstanceLock>(name)
                        : std::make_unique<InstanceLock>(name, context_.LockFolder);
    return instanceLock_->Acquire();
}
