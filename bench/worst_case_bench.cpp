// Inputs a hostile disc can make as costly as it likes: a megabyte of the
// worst case of each reader, timed against ten times the same worst case of
// 100 KB (the linear bound). A ratio near 1 means the work grows with the
// size of the input; a quadratic reader shows a ratio near 10.

#include "content/TreeOutline.h"
#include "engine/HtmlTagScanner.h"
#include "platform/RegistryDocument.h"

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr qsizetype kMegabyte = 1024 * 1024;
constexpr int kRuns = 5;

// The fastest of a few runs, in microseconds.
double bestMicroseconds(const std::function<void()>& work)
{
    double best = 1e18;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1000.0);
    }
    return best;
}

void report(const char* name, const std::function<void(qsizetype)>& worstCase)
{
    const double large = bestMicroseconds([&] { worstCase(kMegabyte); });
    const double bound = 10 * bestMicroseconds([&] { worstCase(kMegabyte / 10); });
    std::printf("BENCH %s ours=%.0f peer=%.0f unit=us ratio=%.2f\n", name, large, bound,
                large / bound);
}

// Nothing but "&": every one of them once looked for a ";" to the end.
void ampersands(qsizetype size)
{
    const QString text(size, QLatin1Char('&'));
    if (DecodeEntities(text).size() != size) {
        std::printf("entity decoding changed the text\n");
    }
}

// A run of deep lines, then lines that climb back to the top level again and
// again, each once walking back over the whole run.
void climbingOutline(qsizetype size)
{
    TDynamicStringArray lines{QStringLiteral("top.htm;Top"), QStringLiteral("\tsub.htm;Sub")};
    qsizetype bytes = 0;
    while (bytes < size / 2) {
        lines.append(QStringLiteral("\t\tc;C"));
        bytes += 6;
    }
    while (bytes < size) {
        lines.append(QStringLiteral("\t\td;D"));
        lines.append(QStringLiteral("\te;E"));
        bytes += 11;
    }
    if (BuildOutline(lines).size() != lines.size()) {
        std::printf("the outline lost lines\n");
    }
}

// One key with nothing but values, then as many lines it cannot read: every
// value once looked through all values before it.
void registryValues(qsizetype size)
{
    QByteArray text = "[HKEY_CURRENT_USER\\Software\\Big]\n";
    for (int i = 0; text.size() < size / 2; ++i) {
        text += "\"Value" + QByteArray::number(i) + "\"=dword:00000001\n";
    }
    for (int i = 0; text.size() < size; ++i) {
        text += "\"Odd" + QByteArray::number(i) + "\"=qword:1\n";
    }
    const RegistryDocument document =
        RegistryDocument::parse(text, QStringLiteral("HKEY_CURRENT_USER"));
    if (document.valueNames(QStringLiteral("Software\\Big")).isEmpty() ||
        document.serialize(QStringLiteral("HKEY_CURRENT_USER")).size() < size) {
        std::printf("the registry document lost lines\n");
    }
}

} // namespace

int main()
{
    report("decode_entities_ampersands_1mb", ampersands);
    report("tree_outline_climbing_1mb", climbingOutline);
    report("registry_one_key_values_1mb", registryValues);
    return 0;
}
