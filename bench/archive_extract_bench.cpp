// Unpacking the RAR fixtures with disctool ("archive extract", the archive
// browser's own walk) next to bsdtar -xf over the same libarchive, each
// archive unpacked many times into a fresh folder, whole processes timed.
//   archive_extract_bench [RUNS]
//   BENCH archive_extract ours=<ms disctool> peer=<ms bsdtar> unit=ms ratio=<ours/peer>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const char* const kFixtures[] = {"test_read_format_rar.rar", "test_read_format_rar_windows.rar",
                                 "test_read_format_rar_compress_normal.rar"};

bool run(const QString& program, const QStringList& arguments, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Milliseconds for runs unpackings of every fixture; -1 when one fails.
double timeUnpacking(const QString& program, bool ours, int runs)
{
    QTemporaryDir scratch;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < runs; ++i) {
        for (const char* name : kFixtures) {
            const QString archive = QStringLiteral(RAR_FIXTURES "/") + QLatin1String(name);
            const QString out = scratch.filePath(QStringLiteral("%1-%2").arg(i).arg(name));
            QDir().mkpath(out);
            const QStringList arguments =
                ours ? QStringList{"archive", "extract", archive, "-o", out}
                     : QStringList{"-xf", archive, "-C", out};
            if (!run(program, arguments, out)) {
                return -1;
            }
        }
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 40;
    const QString peer = QStandardPaths::findExecutable(QStringLiteral("bsdtar"));
    if (peer.isEmpty()) {
        std::fprintf(stderr, "archive_extract_bench: bsdtar not found (libarchive-tools)\n");
        return 2;
    }
    timeUnpacking(QStringLiteral(DISCTOOL_PATH), true, 2); // warm the caches
    timeUnpacking(peer, false, 2);
    const double ours = timeUnpacking(QStringLiteral(DISCTOOL_PATH), true, runs);
    const double theirs = timeUnpacking(peer, false, runs);
    if (ours < 0 || theirs <= 0) {
        std::fprintf(stderr, "archive_extract_bench: an unpacking failed\n");
        return 1;
    }
    std::printf("BENCH archive_extract ours=%.1f peer=%.1f unit=ms ratio=%.2f\n", ours, theirs,
                ours / theirs);
    return 0;
}
