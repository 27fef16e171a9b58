#include "DiscStruct.h"

#include "CommandIo.h"
#include "HostFiles.h"
#include "data/ConfigText.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString ContainerName = QStringLiteral("Mev.dhl");
const QString StructName = QStringLiteral("Struct.cfs");

} // namespace

bool DiscStruct::open(const QString& disc)
{
    const QFileInfo info(disc);
    const QString file = info.isDir() ? info.filePath() + QLatin1Char('/') + ContainerName : disc;
    if (!QFileInfo(file).isFile()) {
        status_ = ExitBadInput;
        error_ = QStringLiteral("%1: no such file").arg(file);
        return false;
    }
    if (!container_.Open(HostFiles::virtualPath(file))) {
        status_ = ExitBadInput;
        error_ = QStringLiteral("%1: %2").arg(file, container_.errorString());
        return false;
    }
    QByteArray encoded;
    if (!container_.Exists(StructName) || container_.ReadToBuffer(StructName, encoded) < 0) {
        status_ = ExitMissing;
        error_ = QStringLiteral("%1: no entry %2").arg(file, StructName);
        return false;
    }
    DecodeConfig(encoded, lines_, true);
    return true;
}

ScopedAppDir::ScopedAppDir(const QString& appDir) : saved_(Paths())
{
    QString folder = appDir;
    if (!folder.endsWith(QLatin1Char('\\'))) {
        folder.append(QLatin1Char('\\'));
    }
    Paths().AppDir = folder;
    Paths().CdRoot = folder.left(3).toLower();
}

ScopedAppDir::~ScopedAppDir()
{
    Paths() = saved_;
}

bool ScopedAppDir::isValid(const QString& appDir)
{
    static const QRegularExpression drivePath(QStringLiteral("^[A-Za-z]:\\\\"));
    return drivePath.match(appDir).hasMatch() && !appDir.contains(QLatin1Char('/'));
}

QString ScopedAppDir::argument(const CommandLineArgs& args)
{
    const QString option = QStringLiteral("--appdir");
    return args.hasValue(option) ? args.value(option) : QStringLiteral("d:\\");
}

QString ScopedAppDir::invalidMessage(const QString& appDir)
{
    return QStringLiteral("--appdir needs a Windows-style folder such as d:\\run\\, not \"%1\"")
        .arg(appDir);
}

bool DiscStruct::parseArguments(const QStringList& arguments, QString& disc, QString& appDir,
                                QString& error)
{
    CommandLineArgs args({QStringLiteral("--appdir")}, {});
    if (!args.parse(arguments) || !args.expectPositionals(1)) {
        error = args.error();
        return false;
    }
    appDir = ScopedAppDir::argument(args);
    if (!ScopedAppDir::isValid(appDir)) {
        error = ScopedAppDir::invalidMessage(appDir);
        return false;
    }
    disc = args.positionals().at(0);
    return true;
}
