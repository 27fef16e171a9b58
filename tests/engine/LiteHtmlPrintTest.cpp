#include "EngineTestDisc.h"
#include "engine/HtmlPagePrinter.h"
#include "engine/HtmlResources.h"
#include "engine/LiteHtmlPrintLayout.h"
#include "engine/LiteHtmlViewer.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

// Pages of litehtml viewers printed: where pages break, and the page
// printer of the preview on them.

TEST(LiteHtmlPageBreaks, PagesEndAboveLinesAndPicturesTheyWouldCut)
{
    // Lines 20 high every 20 pixels, from 0: a page 50 high holds two and a
    // half, so it ends at 40.
    QList<QRect> lines;
    for (int y = 0; y < 200; y += 20) {
        lines.append(QRect(0, y, 100, 20));
    }
    EXPECT_EQ(LiteHtmlPrintLayout::PageBreaks(lines, 200, 50), QList<int>({0, 40, 80, 120, 160}));
    // A picture taller than a page is cut where the page ends.
    EXPECT_EQ(LiteHtmlPrintLayout::PageBreaks({QRect(0, 10, 50, 300)}, 310, 100),
              QList<int>({0, 100, 200, 300}));
    // Nothing to cut: pages of full height.
    EXPECT_EQ(LiteHtmlPrintLayout::PageBreaks({}, 250, 100), QList<int>({0, 100, 200}));
    EXPECT_EQ(LiteHtmlPrintLayout::PageBreaks({}, 0, 100), QList<int>({0}));
}

TEST(LiteHtmlPrint, ThePreviewPrinterPaginatesALiteHtmlPageWithItsHeader)
{
    EngineTestDisc disc;
    QByteArray page = "<p style='background:#ff0000'>first</p>";
    for (int i = 0; i < 200; ++i) {
        page += "<p>paragraph " + QByteArray::number(i) + "</p>";
    }
    disc.addToArchive(QStringLiteral("html\\long.htm"), page);
    ASSERT_TRUE(disc.openArchive());
    LiteHtmlViewer viewer(nullptr);
    viewer.resize(500, 400);
    ASSERT_TRUE(viewer.loadFile(QStringLiteral("d:\\run\\html\\long.htm")));
    QList<int> headers;
    QObject::connect(&viewer, &THtmlViewer::printHeader,
                     [&headers](QPainter*, int number, int, int) { headers.append(number); });

    THtmlPagePrinter printer(viewer);
    ASSERT_TRUE(printer.paginate(1.0));
    const int pages = printer.pageCount();
    EXPECT_GT(pages, 3);
    ASSERT_TRUE(printer.paginate(2.0));
    EXPECT_GT(printer.pageCount(), pages);

    const QImage first = printer.pageImage(0, 48);
    bool red = false;
    for (int y = 0; y < first.height() && !red; ++y) {
        for (int x = 0; x < first.width() && !red; ++x) {
            red = first.pixelColor(x, y) == QColor(255, 0, 0);
        }
    }
    EXPECT_TRUE(red);
    EXPECT_EQ(headers, QList<int>({1}));
    EXPECT_FALSE(printer.pageImage(1, 48) == first);
}

TEST(LiteHtmlPrint, WithoutBackgroundsOnlyPicturesAreDrawn)
{
    EngineTestDisc disc;
    disc.addToArchive(QStringLiteral("html\\p.png"),
                      EngineTestDisc::Picture(QSize(30, 30), "PNG", Qt::blue));
    ASSERT_TRUE(disc.openArchive());
    const QString html = QStringLiteral("<body style='margin:0'><div style='background:#ff0000;"
                                        "height:30px'></div><img src='p.png'>");
    for (const bool backgrounds : {true, false}) {
        LiteHtmlPrintLayout layout(std::make_shared<HtmlResources>(),
                                   QStringLiteral("d:\\run\\html\\a.htm"), html, ViewerDefaults(),
                                   backgrounds);
        ASSERT_EQ(layout.paginate(200, 300), 1);
        QImage sheet(200, 300, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        layout.drawPage(painter, 0);
        painter.end();
        EXPECT_EQ(sheet.pixelColor(100, 15), backgrounds ? QColor(Qt::red) : QColor(Qt::white));
        EXPECT_EQ(sheet.pixelColor(15, 45), QColor(Qt::blue));
    }
}
