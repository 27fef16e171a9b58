#include "engine/HtmlPagePrinter.h"

#include "EngineTestDisc.h"
#include "engine/HtmlViewer.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kPage = QStringLiteral("d:\\run\\html\\long.htm");

QByteArray longPage(int paragraphs)
{
    QByteArray html = "<body bgcolor=\"#ffff00\"><h1>Report</h1>";
    for (int i = 0; i < paragraphs; ++i) {
        html += "<p>Paragraph " + QByteArray::number(i) +
                " with enough words to fill a line of the printed page.</p>";
    }
    return html;
}

// Pages of the viewer's document, printed with the header callback counting.
class PagePrinter : public ::testing::Test {
protected:
    void SetUp() override
    {
        disc.addToArchive(QStringLiteral("html\\long.htm"), longPage(300));
        ASSERT_TRUE(disc.openArchive());
        viewer.reset(CreateHtmlViewer(nullptr));
        viewer->resize(600, 400);
        QObject::connect(viewer.get(), &THtmlViewer::printHeader,
                         [this](QPainter* painter, int page, int width, int height) {
                             headers.append(page);
                             headerWidth = width;
                             headerHeight = height;
                             painter->fillRect(QRect(width - 50, 10, 40, 20), Qt::red);
                         });
    }

    EngineTestDisc disc;
    std::unique_ptr<THtmlViewer> viewer;
    QList<int> headers;
    int headerWidth = 0;
    int headerHeight = 0;
};

int pdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray pdf = file.readAll();
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page>") +
               pdf.count("/Type /Page "));
}

} // namespace

TEST_F(PagePrinter, NothingToLayOutWithoutADocument)
{
    THtmlPagePrinter printer(*viewer);
    EXPECT_FALSE(printer.paginate(1.0));
    EXPECT_EQ(printer.pageCount(), 0);
    QPrinter pdf(QPrinter::HighResolution);
    EXPECT_FALSE(printer.printRange(pdf, 0, 3));
}

TEST_F(PagePrinter, TheScaleDecidesThePageCount)
{
    ASSERT_TRUE(viewer->loadFile(kPage));
    THtmlPagePrinter printer(*viewer);
    ASSERT_TRUE(printer.paginate(1.0));
    const int natural = printer.pageCount();
    EXPECT_GT(natural, 3);
    ASSERT_TRUE(printer.paginate(0.5));
    EXPECT_LT(printer.pageCount(), natural);
    EXPECT_DOUBLE_EQ(printer.scale(), 0.5);
    printer.setOrientation(QPageLayout::Landscape);
    ASSERT_TRUE(printer.paginate(1.0));
    EXPECT_GT(printer.pageCount(), natural);
    EXPECT_GT(printer.paperSizePixels().width(), printer.paperSizePixels().height());
}

TEST_F(PagePrinter, AStoppedLayoutKeepsThePreviousPages)
{
    ASSERT_TRUE(viewer->loadFile(kPage));
    THtmlPagePrinter printer(*viewer);
    ASSERT_TRUE(printer.paginate(1.0));
    const int pages = printer.pageCount();
    QList<int> reported;
    EXPECT_FALSE(printer.paginate(0.5, [&reported](int page) {
        reported.append(page);
        return page < 2;
    }));
    EXPECT_EQ(reported, QList<int>({1, 2}));
    EXPECT_EQ(printer.pageCount(), pages);
    EXPECT_DOUBLE_EQ(printer.scale(), 1.0);
}

TEST_F(PagePrinter, PagePicturesCarryTextBackgroundAndHeader)
{
    ASSERT_TRUE(viewer->loadFile(kPage));
    THtmlPagePrinter printer(*viewer);
    ASSERT_TRUE(printer.paginate(1.0));
    const QImage first = printer.pageImage(0, 96);
    EXPECT_EQ(first.size(), printer.pageLayout().fullRectPixels(96).size());
    EXPECT_EQ(headers, QList<int>({1}));
    EXPECT_GT(headerWidth, 500);
    EXPECT_NEAR(headerHeight, 76, 2);
    const QPoint inPage = printer.pageLayout().paintRectPixels(96).topLeft() + QPoint(2, 2);
    EXPECT_EQ(first.pixelColor(inPage), QColor(255, 255, 0));
    EXPECT_EQ(first.pixelColor(QPoint(2, 2)), QColor(Qt::white));
    const QPoint header =
        printer.pageLayout().paintRectPixels(96).topLeft() +
        QPoint(headerWidth - 30, 20 - printer.pageLayout().paintRectPixels(96).top());
    EXPECT_EQ(first.pixelColor(header), QColor(Qt::red));

    printer.setPrintBackground(false);
    printer.setPageNumbers(false);
    ASSERT_TRUE(printer.paginate(1.0));
    const QImage plain = printer.pageImage(1, 96);
    EXPECT_EQ(plain.pixelColor(inPage), QColor(Qt::white));
    EXPECT_EQ(headers.size(), 1);
    EXPECT_TRUE(printer.pageImage(99).pixelColor(inPage) == QColor(Qt::white));
}

TEST_F(PagePrinter, ARangeOfPagesIsPrintedWithHeaders)
{
    ASSERT_TRUE(viewer->loadFile(kPage));
    THtmlPagePrinter printer(*viewer);
    ASSERT_TRUE(printer.paginate(1.0));
    TempDir out;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(out.file(QStringLiteral("range.pdf")));
    ASSERT_TRUE(printer.printRange(pdf, 1, 3));
    EXPECT_EQ(headers, QList<int>({2, 3, 4}));
    EXPECT_EQ(pdfPageCount(out.file(QStringLiteral("range.pdf"))), 3);

    headers.clear();
    QPrinter stopped(QPrinter::HighResolution);
    stopped.setOutputFormat(QPrinter::PdfFormat);
    stopped.setOutputFileName(out.file(QStringLiteral("stopped.pdf")));
    EXPECT_FALSE(printer.printRange(stopped, 0, 99, [](int page) { return page < 2; }));
    EXPECT_EQ(headers, QList<int>({1}));
}

TEST_F(PagePrinter, APicturePagePrintsThePicture)
{
    disc.writeToDisk(QStringLiteral("run\\pics\\wide.png"),
                     EngineTestDisc::Picture(QSize(300, 100), "PNG", Qt::green));
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\pics\\wide.png")));
    EXPECT_EQ(viewer->lastPictureSize(), QSize(300, 100));
    THtmlPagePrinter printer(*viewer);
    ASSERT_TRUE(printer.paginate(1.0));
    EXPECT_EQ(printer.pageCount(), 1);
    const QImage page = printer.pageImage(0, 96);
    const QPoint topLeft = printer.pageLayout().paintRectPixels(96).topLeft();
    EXPECT_EQ(page.pixelColor(topLeft + QPoint(50, 30)), QColor(Qt::green));
}
