// Opening a 200 KB page with 20 pictures in an HTML viewer until it is laid
// out: the page and its pictures read from the packed archive (ours) next to
// the same files read from plain disk files (peer), in the same run and the
// same viewer. The ratio is the archive's overhead on a page open.
//   BENCH page_open ours=<ms archive> peer=<ms disk> unit=ms ratio=<ours/peer>

#include "data/ArchiveWriter.h"
#include "data/PackedArchive.h"
#include "engine/HtmlViewer.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int kPictures = 20;
constexpr qsizetype kPageBytes = 200 * 1024;
constexpr int kRuns = 15;

const char* const kWords[] = {"the",
                              "disc",
                              "page",
                              "chapter",
                              "picture",
                              "history",
                              "museum",
                              "painting",
                              "century",
                              "artist",
                              "collection",
                              "gallery",
                              "\xe8\xf1\xf2\xee\xf0\xe8\xff",
                              "\xea\xe0\xf0\xf2\xe8\xed\xe0",
                              "\xec\xf3\xe7\xe5\xe9",
                              "\xf5\xf3\xe4\xee\xe6\xed\xe8\xea",
                              "\xe2\xe5\xea",
                              "\xe8",
                              "\xe2",
                              "portrait",
                              "landscape",
                              "school",
                              "style"};

QByteArray picture(int number, std::mt19937& random)
{
    QImage image(160 + number * 4, 120, QImage::Format_RGB32);
    std::uniform_int_distribution<int> noise(0, 40);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y,
                           qRgb((x * 3 + number * 20) % 256, (y * 2) % 256, 128 + noise(random)));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, number % 2 == 0 ? "PNG" : "BMP");
    return bytes;
}

QString pictureName(int number)
{
    return QStringLiteral("pics\\p%1.%2").arg(number).arg(number % 2 == 0 ? "png" : "bmp");
}

QByteArray page(std::mt19937& random)
{
    std::uniform_int_distribution<int> word(0, int(std::size(kWords)) - 1);
    std::uniform_int_distribution<int> length(8, 30);
    QByteArray html =
        "<html><head><title>Bench page</title>"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
        "</head><body>\n";
    const qsizetype pictureEvery = kPageBytes / kPictures;
    int pictures = 0;
    int paragraph = 0;
    while (html.size() < kPageBytes) {
        if (pictures < kPictures && html.size() >= pictures * pictureEvery) {
            html += "<p><img src=\"" + pictureName(pictures).replace('\\', '/').toLatin1() +
                    "\" title=\"Picture " + QByteArray::number(pictures) + "\"></p>\n";
            ++pictures;
        }
        html += paragraph % 7 == 0 ? "<h3>Chapter " + QByteArray::number(paragraph) + "</h3>\n"
                                   : QByteArray();
        html += "<p>";
        for (int count = length(random); count > 0; --count) {
            html += count % 9 == 0 ? "<a href=\"page" + QByteArray::number(count) + ".htm\">" +
                                         kWords[word(random)] + "</a> "
                                   : QByteArray(kWords[word(random)]) + ' ';
        }
        html += "<b>" + QByteArray(kWords[word(random)]) + "</b>.</p>\n";
        ++paragraph;
    }
    return html + "</body></html>\n";
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

// Builds the archive (under "d:\run\") and the same files on disk (under "d:\disk\").
void buildDisc(const QString& root)
{
    std::mt19937 random(7);
    ArchiveWriter writer;
    const QByteArray html = page(random);
    writer.addFile(QStringLiteral("html\\bench.htm"), html);
    writeFile(root + QStringLiteral("/disk/bench.htm"), html);
    for (int number = 0; number < kPictures; ++number) {
        const QByteArray bytes = picture(number, random);
        writer.addFile(QStringLiteral("html\\") + pictureName(number), bytes);
        writeFile(root + QStringLiteral("/disk/") + pictureName(number).replace('\\', '/'), bytes);
    }
    QDir().mkpath(root + QStringLiteral("/run"));
    if (!writer.write(root + QStringLiteral("/run/interface.dat"))) {
        qFatal("%s", qPrintable(writer.errorString()));
    }
}

// A reader's pause between two pages: the viewer shows the page and tidies
// up after the one before.
void idle()
{
    QElapsedTimer pause;
    pause.start();
    while (pause.elapsed() < 100) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// The viewer has laid the page out when loadFile returns.
double openMilliseconds(THtmlViewer& viewer, const QString& file)
{
    idle();
    QElapsedTimer timer;
    timer.start();
    if (!viewer.loadFile(file)) {
        qFatal("cannot open %s", qPrintable(file));
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir folder;
    buildDisc(folder.path());
    VirtualFs::instance().mount(QStringLiteral("d:\\"), folder.path());
    if (!OpenArchive(QStringLiteral("d:\\run\\interface.dat"))) {
        qFatal("%s", qPrintable(InterfaceArchive().errorString()));
    }
    SetArchiveBase(QStringLiteral("d:\\run\\"));

    THtmlViewer* viewer = CreateHtmlViewer(nullptr);
    viewer->resize(800, 600);
    viewer->show();
    const QString fromArchive = QStringLiteral("d:\\run\\html\\bench.htm");
    const QString fromDisk = QStringLiteral("d:\\disk\\bench.htm");
    openMilliseconds(*viewer, fromArchive);
    openMilliseconds(*viewer, fromDisk);

    std::vector<double> ours;
    std::vector<double> peer;
    for (int run = 0; run < kRuns; ++run) {
        // Alternate which side goes first, so neither always follows the other.
        if (run % 2 == 0) {
            ours.push_back(openMilliseconds(*viewer, fromArchive));
            peer.push_back(openMilliseconds(*viewer, fromDisk));
        } else {
            peer.push_back(openMilliseconds(*viewer, fromDisk));
            ours.push_back(openMilliseconds(*viewer, fromArchive));
        }
    }
    const double archive = median(ours);
    const double disk = median(peer);
    std::printf("BENCH page_open ours=%.2f peer=%.2f unit=ms ratio=%.3f\n", archive, disk,
                archive / disk);
    delete viewer;
    return 0;
}
