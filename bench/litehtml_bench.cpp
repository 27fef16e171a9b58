// The litehtml page engine on a 1 MB page of 2,000 table rows styled by CSS
// classes:
//  - from its text to laid out at 800 pixels;
//  - repainting the 800 x 600 view of the viewer after each 100-pixel scroll
//    down the page (the median, and the slowest of them);
//  - a hostile page of 40 tables nested in one another, each of two cells,
//    from its text to laid out (the engine's work grows threefold with each
//    level; the page's layout work is capped).
//   BENCH table_page_layout ours=<ms> unit=ms
//   BENCH scroll_repaint ours=<median ms> unit=ms
//   BENCH scroll_repaint_slowest ours=<ms> unit=ms
//   BENCH nested_tables_40 ours=<ms> unit=ms
// With --write-table FILE it only writes the page (for the comparison of
// whole processes with a browser in table_page_bench).

#include "engine/HtmlResources.h"
#include "engine/LiteHtmlPage.h"
#include "engine/LiteHtmlView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr int kRows = 2000;
constexpr int kRuns = 5;
constexpr int kScrolls = 60;
const QSize kViewport(800, 600);
const QString kFile = QStringLiteral("d:\\run\\table.htm");

QString tablePage()
{
    QString html = QStringLiteral(
        "<html><head><meta charset=\"utf-8\"><style>.row{background:#eef} .alt{background:#fff}"
        " td.name{font-weight:bold;width:30%} td.note{color:#444;padding:4px}"
        " .price{text-align:right;color:#060}</style></head><body><table width=100%>");
    QString filler = QStringLiteral("Описание строки таблицы with some words of text ");
    filler = filler.repeated(6);
    for (int row = 0; row < kRows; ++row) {
        html += QStringLiteral("<tr class=\"%1\"><td class=\"name\">Item %2</td>"
                               "<td class=\"note\">%3</td><td class=\"price\">%4.00</td></tr>")
                    .arg(row % 2 ? QStringLiteral("row") : QStringLiteral("alt"))
                    .arg(row)
                    .arg(filler)
                    .arg(row * 3);
    }
    return html + QStringLiteral("</table></body></html>");
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timeIt(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

std::unique_ptr<LiteHtmlPage> laidOut(const QString& html)
{
    auto page =
        std::make_unique<LiteHtmlPage>(std::make_shared<HtmlResources>(), kFile, ViewerDefaults());
    page->load(html);
    page->layout(kViewport);
    return page;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString html = tablePage();
    if (argc == 3 && std::strcmp(argv[1], "--write-table") == 0) {
        QFile out(QString::fromLocal8Bit(argv[2]));
        return out.open(QIODevice::WriteOnly) && out.write(html.toUtf8()) > 0 ? 0 : 1;
    }
    std::fprintf(stderr, "table page: %lld KB\n", qlonglong(html.toUtf8().size() / 1024));
    std::vector<double> layouts;
    for (int run = 0; run < kRuns; ++run) {
        layouts.push_back(timeIt([&] { laidOut(html); }));
    }
    std::printf("BENCH table_page_layout ours=%.2f unit=ms\n", median(layouts));

    QString nested = QStringLiteral("<body>");
    for (int level = 0; level < 40; ++level) {
        nested += QStringLiteral("<table width=100%><tr><td>cell</td><td>");
    }
    nested += QStringLiteral("innermost");
    for (int level = 0; level < 40; ++level) {
        nested += QStringLiteral("</td></tr></table>");
    }
    std::printf("BENCH nested_tables_40 ours=%.2f unit=ms\n", timeIt([&] { laidOut(nested); }));

    LiteHtmlView view;
    view.resize(kViewport);
    view.show();
    view.setPage(laidOut(html));
    // The viewport paints into a picture of its own through its paint event,
    // exposed or not.
    QImage shown(kViewport, QImage::Format_RGB32);
    view.viewport()->render(&shown);
    QScrollBar* bar = view.verticalScrollBar();
    std::vector<double> repaints;
    for (int scroll = 1; scroll <= kScrolls; ++scroll) {
        repaints.push_back(timeIt([&] {
            bar->setValue(bar->value() + 100);
            view.viewport()->render(&shown);
        }));
    }
    std::printf("BENCH scroll_repaint ours=%.2f unit=ms\n", median(repaints));
    std::printf("BENCH scroll_repaint_slowest ours=%.2f unit=ms\n",
                *std::max_element(repaints.begin(), repaints.end()));
    return 0;
}
