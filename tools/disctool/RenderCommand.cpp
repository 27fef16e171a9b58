#include "RenderCommand.h"

#include "CommandLineArgs.h"
#include "IndexDisc.h"
#include "data/PackedArchive.h"
#include "data/PageCharset.h"
#include "engine/HtmlResources.h"
#include "engine/LiteHtmlPage.h"
#include "platform/DiscLocation.h"

#include <QGuiApplication>
#include <QImage>

namespace {

constexpr int kMaxViewport = 8192; // px each way
constexpr int kMaxFontSize = 96;   // points, beyond any reader's choice

// A whole number option between 1 and max; fallback when not given. A bad
// value clears ok, and a later good one does not set it again.
int boundedOption(const CommandLineArgs& args, const QString& option, int fallback, int max,
                  bool& ok)
{
    if (!args.hasValue(option)) {
        return fallback;
    }
    bool parsed = false;
    const int value = args.value(option).toInt(&parsed);
    ok = ok && parsed && value > 0 && value <= max;
    return value;
}

// The reader's page font when "--font" or "--font-size" gives one, else the
// viewer's default.
ViewerDefaults readerDefaults(const CommandLineArgs& args, bool& ok)
{
    ViewerDefaults defaults;
    if (args.hasValue(QStringLiteral("--font"))) {
        defaults.fontName = args.value(QStringLiteral("--font"));
        ok = ok && !defaults.fontName.trimmed().isEmpty();
    }
    defaults.fontSize =
        boundedOption(args, QStringLiteral("--font-size"), defaults.fontSize, kMaxFontSize, ok);
    return defaults;
}

} // namespace

QString RenderCommand::usage()
{
    return QStringLiteral(
        "  render DISC PAGE -o OUT.png [--width W] [--height H] [--appdir VIRTUALPATH]\n"
        "         [--font NAME] [--font-size PT]\n"
        "      draw one page of the disc (PAGE below the program folder) as the viewer\n"
        "      does, at a viewport of W x H pixels (800 x 600 unless given), with the\n"
        "      reader's page font when given (the viewer's default otherwise)\n");
}

int RenderCommand::usageError(const QString& message)
{
    return io_.badInput(QStringLiteral("render: %1 (usage: disctool render DISC PAGE -o OUT.png "
                                       "[--width W] [--height H] [--appdir VIRTUALPATH] "
                                       "[--font NAME] [--font-size PT])")
                            .arg(message));
}

int RenderCommand::run(const QStringList& arguments)
{
    CommandLineArgs args({QStringLiteral("-o"), QStringLiteral("--width"),
                          QStringLiteral("--height"), QStringLiteral("--appdir"),
                          QStringLiteral("--font"), QStringLiteral("--font-size")},
                         {});
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return io_.badInput(QStringLiteral("render: fonts need a GUI application"));
    }
    if (!args.parse(arguments) || !args.expectPositionals(2)) {
        return usageError(args.error());
    }
    if (!args.hasValue(QStringLiteral("-o"))) {
        return usageError(QStringLiteral("no output file"));
    }
    bool ok = true;
    const QSize viewport(boundedOption(args, QStringLiteral("--width"), 800, kMaxViewport, ok),
                         boundedOption(args, QStringLiteral("--height"), 600, kMaxViewport, ok));
    if (!ok) {
        return usageError(QStringLiteral("bad viewport size"));
    }
    const ViewerDefaults defaults = readerDefaults(args, ok);
    if (!ok) {
        return usageError(QStringLiteral("bad font"));
    }
    const QString discHost = args.positionals().at(0);
    QString appDir = args.value(QStringLiteral("--appdir"));
    if (appDir.isEmpty()) {
        appDir = IndexDisc::defaultAppDir(discHost);
    }
    IndexDisc disc;
    if (!disc.open(discHost, appDir)) {
        return io_.badInput(QStringLiteral("render: ") + disc.errorString());
    }
    // The process-wide archive the page readers use, with the base the shell
    // gives it: the disc root for a program folder "d:\run\".
    const QString folder = disc.virtualFolder();
    const QString root = folder.left(folder.size() - (appDir.size() - 3));
    OpenArchive(folder + QStringLiteral("interface.dat"));
    SetArchiveBase(root + DiscLocation::archiveBaseOf(appDir).mid(3));
    const QString page =
        folder + QString(args.positionals().at(1)).replace(QLatin1Char('/'), QLatin1Char('\\'));
    const std::optional<QByteArray> bytes = HtmlResources::ReadFile(page);
    if (!bytes) {
        return io_.missing(QStringLiteral("render: no page ") + page);
    }
    const QImage image = RenderPage(page, PageCharset::DecodePage(*bytes), viewport, defaults);
    if (!image.save(args.value(QStringLiteral("-o")), "PNG")) {
        return io_.badInput(QStringLiteral("render: cannot write ") +
                            args.value(QStringLiteral("-o")));
    }
    return ExitSuccess;
}
