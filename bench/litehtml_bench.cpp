// The litehtml page engine against the text engine it replaces, in the same
// run on the same pages:
//  - a 1 MB page of 2,000 table rows styled by CSS classes, from its text to
//    laid out at 800 pixels;
//  - repainting one 800 x 600 viewport of that page after a 100-pixel scroll.
//   BENCH table_page_layout ours=<ms litehtml> peer=<ms QTextDocument> unit=ms ratio=...
//   BENCH scroll_repaint ours=<ms litehtml> peer=<ms QTextDocument> unit=ms ratio=...

#include "engine/HtmlResources.h"
#include "engine/LiteHtmlPage.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRows = 2000;
constexpr int kRuns = 5;
constexpr int kScrolls = 50;
const QSize kViewport(800, 600);

QString tablePage()
{
    QString html = QStringLiteral(
        "<html><head><style>.row{background:#eef} .alt{background:#fff}"
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

void print(const char* name, double ours, double peer)
{
    std::printf("BENCH %s ours=%.2f peer=%.2f unit=ms ratio=%.2f\n", name, ours, peer, ours / peer);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString html = tablePage();
    std::fprintf(stderr, "table page: %lld KB\n", qlonglong(html.toUtf8().size() / 1024));
    const auto resources = std::make_shared<HtmlResources>();
    std::vector<double> ours;
    std::vector<double> peer;
    for (int run = 0; run < kRuns; ++run) {
        ours.push_back(timeIt([&] {
            LiteHtmlPage page(resources, QStringLiteral("d:\\run\\table.htm"), ViewerDefaults());
            page.load(html);
            page.layout(kViewport);
        }));
        peer.push_back(timeIt([&] {
            QTextDocument document;
            document.setHtml(html);
            document.setTextWidth(kViewport.width());
            document.documentLayout()->documentSize();
        }));
    }
    print("table_page_layout", median(ours), median(peer));

    LiteHtmlPage page(resources, QStringLiteral("d:\\run\\table.htm"), ViewerDefaults());
    page.load(html);
    page.layout(kViewport);
    QTextDocument document;
    document.setHtml(html);
    document.setTextWidth(kViewport.width());
    QImage image(kViewport, QImage::Format_RGB32);
    ours.clear();
    peer.clear();
    for (int scroll = 1; scroll <= kScrolls; ++scroll) {
        const int top = scroll * 100;
        ours.push_back(timeIt([&] {
            QPainter painter(&image);
            painter.fillRect(image.rect(), Qt::white);
            page.draw(painter, QPoint(0, -top), QRect(QPoint(0, top), kViewport));
        }));
        peer.push_back(timeIt([&] {
            QPainter painter(&image);
            painter.fillRect(image.rect(), Qt::white);
            painter.translate(0, -top);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = QRectF(QPointF(0, top), kViewport);
            document.documentLayout()->draw(&painter, context);
        }));
    }
    print("scroll_repaint", median(ours), median(peer));
    return 0;
}
