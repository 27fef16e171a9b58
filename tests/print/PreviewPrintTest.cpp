#include "PreviewFixture.h"
#include "print/PrintStatusForm.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

namespace {

const QString kNoPrinter = QStringLiteral("Принтер не доступен!");

} // namespace

// Printing through the preview into PDF files in place of a printer.
class PreviewPrinting : public PreviewTest {
protected:
    void SetUp() override
    {
        PreviewTest::SetUp();
        hooks.ChoosePrinter = [this](QPrinter& printer, int pageCount, QWidget* parent) {
            return answer && answer(printer, pageCount, parent);
        };
    }

    // The print dialog answers with a PDF file and, when from > 0, a range.
    void AnswerDialog(const QString& file, int from = 0, int to = 0)
    {
        answer = [this, file, from, to](QPrinter& printer, int pageCount, QWidget*) {
            dialogPageCounts.append(pageCount);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            if (from > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(from, to);
            }
            return true;
        };
    }

    TempDir out;
    QList<int> dialogPageCounts;
    std::function<bool(QPrinter&, int, QWidget*)> answer;
};

TEST_F(PreviewPrinting, PrintsTheChosenRangeOrAllPages)
{
    const QString range = out.file(QStringLiteral("range.pdf"));
    AnswerDialog(range, 2, 3);
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    preview->Ui().PrintBut->click();
    EXPECT_EQ(dialogPageCounts, QList<int>({preview->PageCount()}));
    EXPECT_EQ(PdfPageCount(range), 2);

    const QString all = out.file(QStringLiteral("all.pdf"));
    AnswerDialog(all);
    QKeyEvent ctrlP(QEvent::KeyPress, Qt::Key_P, Qt::ControlModifier);
    QApplication::sendEvent(preview->Ui().ScrollBox, &ctrlP);
    EXPECT_EQ(PdfPageCount(all), preview->PageCount());

    // A range beyond the last page stops at the last page.
    const QString tail = out.file(QStringLiteral("tail.pdf"));
    AnswerDialog(tail, preview->PageCount(), preview->PageCount() + 5);
    preview->Print();
    EXPECT_EQ(PdfPageCount(tail), 1);
    EXPECT_TRUE(warnings.isEmpty());
}

TEST_F(PreviewPrinting, PrintsAtThePrintScaleOfThePreview)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    for (int click = 0; click < 5; ++click) {
        preview->ZoomPrintScale(false);
    }
    const QString file = out.file(QStringLiteral("small.pdf"));
    AnswerDialog(file);
    preview->Print();
    EXPECT_EQ(PdfPageCount(file), preview->PageCount());
    preview->ToggleOrientation();
    const QString turned = out.file(QStringLiteral("turned.pdf"));
    AnswerDialog(turned);
    preview->Print();
    EXPECT_EQ(PdfPageCount(turned), preview->PageCount());
}

// While pages print, the pages under the print stay: a new layout, another
// print or a change of the layout asked for then is refused.
TEST_F(PreviewPrinting, NothingChangesThePagesWhileTheyPrint)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    const int pages = preview->PageCount();
    const QPageLayout::Orientation orientation = preview->Pages().Orientation();
    const QString file = out.file(QStringLiteral("steady.pdf"));
    AnswerDialog(file);
    int asked = 0;
    WhenShown<TPrnStatusForm> meddle([&](TPrnStatusForm* status) {
        QObject::connect(status, &TPrnStatusForm::pageReported, status, [&](int page) {
            if (page == 2) {
                ++asked;
                preview->ZoomPrintScale(false);
                preview->ToggleOrientation();
                preview->RestoreStartPrintScale();
                preview->Print();
            }
        });
    });
    preview->Print();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(meddle.shown(), 1);
    EXPECT_EQ(dialogPageCounts, QList<int>({pages}));
    EXPECT_EQ(PdfPageCount(file), pages);
    EXPECT_EQ(preview->PageCount(), pages);
    EXPECT_FLOAT_EQ(preview->PrintScale(), 1.0f);
    EXPECT_EQ(preview->Pages().Orientation(), orientation);
    EXPECT_EQ(preview->Ui().PageOrientationBut->isChecked(), orientation == QPageLayout::Landscape);
    EXPECT_TRUE(warnings.isEmpty());

    // Afterwards the same requests are served again.
    preview->ZoomPrintScale(false);
    EXPECT_FLOAT_EQ(preview->PrintScale(), 1.0f / 1.1f);
    EXPECT_GT(meddle.shown(), 1);
}

TEST_F(PreviewPrinting, WithoutAPrinterOnlyAWarningComes)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    hooks.PrinterAvailable = [] { return false; };
    preview = Open(kLongPage);
    EXPECT_FALSE(preview);

    bool available = true;
    hooks.PrinterAvailable = [&available] { return available; };
    AnswerDialog(out.file(QStringLiteral("never.pdf")));
    preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    available = false;
    preview->Print();
    EXPECT_EQ(warnings, QStringList({kNoPrinter}));
    EXPECT_TRUE(dialogPageCounts.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(out.file(QStringLiteral("never.pdf"))));
}

TEST_F(PreviewPrinting, APrinterThatFailsIsReportedAndACancelIsNot)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    AnswerDialog(out.file(QStringLiteral("no/such/folder/x.pdf")));
    preview->Print();
    EXPECT_EQ(warnings, QStringList({kNoPrinter}));

    warnings.clear();
    AnswerDialog(out.file(QStringLiteral("cancelled.pdf")));
    WhenShown<TPrnStatusForm> cancel([](TPrnStatusForm* status) {
        QObject::connect(status, &TPrnStatusForm::pageReported, status, [status](int page) {
            if (page == 2) {
                status->CancelButton()->click();
            }
        });
    });
    preview->Print();
    EXPECT_EQ(cancel.shown(), 1);
    EXPECT_TRUE(warnings.isEmpty());

    warnings.clear();
    answer = [](QPrinter&, int, QWidget*) { return false; };
    preview->Print();
    EXPECT_TRUE(warnings.isEmpty());
}

TEST_F(PreviewPrinting, TheSystemDialogOffersPageNumbersAndFiles)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer);
    SetUpPrintDialog(dialog, 7);
    EXPECT_EQ(dialog.minPage(), 1);
    EXPECT_EQ(dialog.maxPage(), 7);
    EXPECT_EQ(dialog.fromPage(), 1);
    EXPECT_EQ(dialog.toPage(), 7);
    EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
    EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintToFile));
    EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintSelection));

    // Without an answer of its own, the preview asks the system dialog.
    hooks.ChoosePrinter = nullptr;
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    int maxPage = 0;
    WhenShown<QPrintDialog> close([&maxPage](QPrintDialog* shown) {
        maxPage = shown->maxPage();
        QTimer::singleShot(0, shown, &QDialog::reject);
    });
    preview->Print();
    EXPECT_EQ(close.shown(), 1);
    EXPECT_EQ(maxPage, preview->PageCount());
    EXPECT_TRUE(warnings.isEmpty());
}
