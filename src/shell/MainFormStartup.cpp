#include "data/ConfigText.h"
#include "data/PackedArchive.h"
#include "data/ReadBin.h"
#include "interface/InterfaceParser.h"
#include "platform/CommandLine.h"
#include "platform/DiscLocation.h"
#include "platform/InstanceLock.h"
#include "platform/VirtualFs.h"
#include "shell/MainForm.h"
#include "shell/PanelBkgrd.h"
#include "shell/PictureStream.h"
#include "shell/ShellGlobals.h"
#include "shell/ShellLog.h"
#include "shell/SourceFilesCheck.h"
#include "shell/WindowAnimation.h"
#include "shell/WindowShape.h"

#include <QGuiApplication>
#include <cstdio>
#include <exception>

// A start-up that fails half-way ends the program, with one line on standard
// error, instead of leaving it running without a window.
void TMainForm::FormCreate()
{
    try {
        RunStartup();
    } catch (const std::exception& error) {
        EndStartup(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        EndStartup(QStringLiteral("unexpected failure"));
    }
}

void TMainForm::EndStartup(const QString& reason)
{
    std::fprintf(stderr, "discshell: %s\n", qUtf8Printable(reason));
    RequestTermination(1);
}

void TMainForm::RunStartup()
{
    Shell() = TShellGlobals();
    if (!OpenInterfaceArchive()) {
        return;
    }
    ReadSystemFolders();
    Shell().LetterSpacing = -1;
    exitButton_ = -1;
    viewerMode_ = context_.ArgumentCount >= 1;
    if (viewerMode_) {
        const CommandLine::ViewerRequest request =
            CommandLine::viewerRequest(context_.RawCommandLine, context_.ProgramFile);
        viewerFile_ = request.file;
        helpMode_ = request.helpMode;
    }
    if (CommandLine::isThesaurusMode(context_.RawCommandLine)) {
        BuildThesaurusWindow();
        return;
    }
    if (viewerMode_) {
        RunViewerMode();
        return;
    }
    resourceBin_ = new TReadBin(this);
    if (CheckSourceFiles(context_.AppDir) || !OpenResourceBin() || !ReadStructLines()) {
        RequestTermination(0);
        return;
    }
    ReadInterfaceGlobals(structLines_, interface_);
    Shell().DiskTitle = interface_.DiskTitle;
    if (!ApplyWindowPolygon()) {
        EndStartup(QStringLiteral("a vertex of the window polygon is no number pair"));
        return;
    }
    if (!ClaimSingleInstance()) {
        RequestTermination(0);
        return;
    }
    ReadInterfaceElements(structLines_, interface_);
    InstallDeactivationHandler();
    settings_.Load(Store(), SettingsKey(interface_.DiskTitle));
    components_->CreateOptionsWindow(!interface_.Images.isEmpty());
    components_->InstallCodecs(interface_.CodecRequest, settings_.Clip);
    setAcceptDrops(true);
    AddDiscFonts();
    BuildFirstScreen();
    components_->CreateServices();
    panelBkgrd_ = new TPanelBkgrd(this);
    CreateContentComponents();
    states_.ReplaySwitches(0);
    NoteDeclaredOptions();
    if (interface_.BgSoundDefault.isEmpty()) {
        settings_.BGSound = false;
    }
    if (!(IntroClipRequested() && components_->PlayIntroClip())) {
        ContinueStartup();
    }
}

// An open popup closes when the program loses the focus to another one.
void TMainForm::InstallDeactivationHandler()
{
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationInactive) {
                    HideAllPopups();
                }
            });
}

// The archive is opened without testing for it first; a disc without it
// cannot run, and says so.
bool TMainForm::OpenInterfaceArchive()
{
    const QString path = context_.AppDir + QStringLiteral("interface.dat");
    if (!OpenArchive(path)) {
        EndStartup(
            QStringLiteral("cannot open %1: %2").arg(path, InterfaceArchive().errorString()));
        return false;
    }
    Shell().ArchiveBase = DiscLocation::archiveBaseOf(context_.AppDir);
    SetArchiveBase(Shell().ArchiveBase);
    return true;
}

void TMainForm::ReadSystemFolders()
{
    Shell().WindowsDir = QStringLiteral("c:\\windows\\");
    Shell().SystemDir = QStringLiteral("c:\\windows\\system32\\");
    Shell().TempDir = QStringLiteral("c:\\windows\\temp\\");
}

bool TMainForm::OpenResourceBin()
{
    const QString path = context_.AppDir + QStringLiteral("Mev.dhl");
    if (!VirtualFs::instance().fileExists(path)) {
        LogSwallowed(QStringLiteral("start-up"), QStringLiteral("no ") + path);
        return false;
    }
    if (!resourceBin_->Open(path)) {
        LogSwallowed(QStringLiteral("start-up"), resourceBin_->errorString());
    }
    pictureStream_ = std::make_unique<TPictureStream>(*resourceBin_);
    return true;
}

bool TMainForm::ReadStructLines()
{
    if (resourceBin_->ReadToBuffer(QStringLiteral("Struct.cfs"), structBuffer_) < 0) {
        LogSwallowed(QStringLiteral("start-up"), QStringLiteral("no Struct.cfs in Mev.dhl"));
        return false;
    }
    DecodeConfig(structBuffer_, structLines_, true);
    return true;
}

// The polygon is set while the window is still hidden; the animations keep to it.
bool TMainForm::ApplyWindowPolygon()
{
    if (!interface_.WindowPolygonValid) {
        return false;
    }
    if (interface_.HasWindowPolygon) {
        animation_->SetPolygon(PolygonRegion(interface_.WindowPolygon));
        animation_->ApplyPolygon();
    }
    return true;
}

bool TMainForm::ClaimSingleInstance()
{
    const QString& title = Shell().DiskTitle;
    instanceLock_ = context_.LockFolder.isEmpty()
                        ? std::make_unique<InstanceLock>(title)
                        : std::make_unique<InstanceLock>(title, context_.LockFolder);
    if (!instanceLock_->Acquire()) {
        Shell().SecondInstance = true;
        viewerMode_ = true;
        return false;
    }
    setWindowTitle(title);
    return true;
}
