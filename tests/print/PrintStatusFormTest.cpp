#include "print/PrintStatusForm.h"

#include "PreviewFixture.h"

#include <QKeyEvent>
#include <QPrinter>
#include <QPushButton>

using PrintStatus = PreviewTest;

TEST_F(PrintStatus, ShowsEachPageOfTheLayout)
{
    ASSERT_TRUE(viewer->loadFile(kLongPage));
    TPreviewPages pages(*viewer);
    TPrnStatusForm status;
    EXPECT_EQ(status.windowTitle(), QStringLiteral("Форматирование текста"));
    EXPECT_EQ(status.StatusText(), QStringLiteral("Status"));
    EXPECT_EQ(status.CancelButton()->text(), QStringLiteral("Отмена"));
    QStringList labels;
    int upAndModal = 0;
    QObject::connect(&status, &TPrnStatusForm::pageReported, [&] {
        labels.append(status.StatusText());
        upAndModal += status.isVisible() && QApplication::activeModalWidget() == &status;
    });
    ASSERT_TRUE(status.DoPreview(pages, 1.0));
    EXPECT_EQ(upAndModal, labels.size());
    ASSERT_EQ(labels.size(), pages.PageCount());
    EXPECT_EQ(labels.first(), QStringLiteral("Номер страницы 1"));
    EXPECT_EQ(labels.last(), QStringLiteral("Номер страницы %1").arg(pages.PageCount()));
    EXPECT_FALSE(status.isVisible());
    EXPECT_FALSE(status.Cancelled());
}

// The work does not wait for an event to start or to end: it ends even when
// whatever watches the window handles all waiting events as it comes up.
TEST_F(PrintStatus, EndsWhateverHandlesEventsWhenTheWindowComesUp)
{
    ASSERT_TRUE(viewer->loadFile(kLongPage));
    TPreviewPages pages(*viewer);
    WhenShown<TPrnStatusForm> eager([](TPrnStatusForm*) { QApplication::processEvents(); });
    TPrnStatusForm status;
    EXPECT_TRUE(status.DoPreview(pages, 1.0));
    EXPECT_GT(pages.PageCount(), 1);
    EXPECT_TRUE(status.DoPreview(pages, 0.5));
    EXPECT_EQ(eager.shown(), 2);
    EXPECT_FALSE(status.isVisible());
    EXPECT_FALSE(watchdog.Fired());
}

TEST_F(PrintStatus, CancelOrAnyKeyStopsTheLayoutAndKeepsTheOldPages)
{
    ASSERT_TRUE(viewer->loadFile(kLongPage));
    TPreviewPages pages(*viewer);
    ASSERT_TRUE(TPrnStatusForm().DoPreview(pages, 1.0));
    const int natural = pages.PageCount();

    const auto stopAt = [&](int stopPage, const std::function<void(TPrnStatusForm&)>& stop) {
        TPrnStatusForm status;
        QList<int> reported;
        QObject::connect(&status, &TPrnStatusForm::pageReported, [&](int page) {
            reported.append(page);
            if (page == stopPage) {
                stop(status);
            }
        });
        EXPECT_FALSE(status.DoPreview(pages, 0.5));
        EXPECT_TRUE(status.Cancelled());
        EXPECT_EQ(reported.size(), stopPage);
        EXPECT_EQ(pages.PageCount(), natural);
        EXPECT_DOUBLE_EQ(pages.Printer().scale(), 1.0);
    };
    stopAt(2, [](TPrnStatusForm& status) { status.CancelButton()->click(); });
    stopAt(1, [](TPrnStatusForm& status) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&status, &key);
    });
    // Closing the window while it works only asks it to stop there.
    stopAt(1, [](TPrnStatusForm& status) {
        status.reject();
        EXPECT_TRUE(status.isVisible());
    });
}

TEST_F(PrintStatus, PrintingTellsDoneCancelledAndFailedApart)
{
    ASSERT_TRUE(viewer->loadFile(kLongPage));
    TPreviewPages pages(*viewer);
    ASSERT_TRUE(TPrnStatusForm().DoPreview(pages, 1.0));
    TempDir out;
    const auto printTo = [&](const QString& file, int from, int to, int stopPage) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        TPrnStatusForm status;
        QObject::connect(&status, &TPrnStatusForm::pageReported, [&](int page) {
            if (page == stopPage) {
                status.CancelButton()->click();
            }
        });
        return status.DoPrint(pages.Printer(), printer, from, to);
    };
    EXPECT_EQ(printTo(out.file(QStringLiteral("done.pdf")), 1, 2, 0),
              TPrnStatusForm::Outcome::Done);
    EXPECT_EQ(PdfPageCount(out.file(QStringLiteral("done.pdf"))), 2);
    EXPECT_EQ(printTo(out.file(QStringLiteral("stop.pdf")), 0, 3, 2),
              TPrnStatusForm::Outcome::Cancelled);
    EXPECT_EQ(printTo(out.file(QStringLiteral("none/x.pdf")), 0, 3, 0),
              TPrnStatusForm::Outcome::Failed);
    EXPECT_EQ(printTo(out.file(QStringLiteral("empty.pdf")), 5, 2, 0),
              TPrnStatusForm::Outcome::Failed);
}
