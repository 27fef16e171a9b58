#include "PreviewFixture.h"
#include "print/PageView.h"
#include "print/PrintStatusForm.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QToolButton>
#include <cmath>
#include <string>

namespace {

QPoint Middle(QWidget* widget)
{
    return widget->rect().center();
}

void Mouse(QWidget* widget, QEvent::Type type, QPoint point, QPoint global,
           Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, point, global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// What the page printer draws and lays out, to compare before and after.
struct Sheets {
    int pages;
    float scale;
    QPageLayout::Orientation orientation;
    bool numbers;
    bool background;
    bool operator==(const Sheets&) const = default;
};

Sheets SheetsOf(TPreviewForm& preview)
{
    const THtmlPagePrinter& printer = preview.Pages().Printer();
    return {preview.PageCount(), preview.PrintScale(), preview.Pages().Orientation(),
            printer.pageNumbers(), printer.printBackground()};
}

} // namespace

using PreviewZooming = PreviewTest;

TEST_F(PreviewZooming, ZoomItemsSizeTheSheet)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    preview->show();
    QApplication::processEvents();
    const TPreviewUi& ui = preview->Ui();
    const QSizeF paper = preview->Pages().PaperInches() * TPreviewPages::ScreenDpi();
    ui.ZoomBox->setCurrentIndex(9);
    EXPECT_DOUBLE_EQ(preview->ViewZoom(), 2.0);
    EXPECT_EQ(ui.PagePanel->size(), (paper * 2).toSize());
    EXPECT_EQ(ui.PagePanel->pos(), QPoint(10, 10));
    EXPECT_EQ(preview->StatusText(1), QStringLiteral(" Масштаб просмотра: 200%"));

    // The view agrees with the sheet at once, without waiting for events.
    ui.FitWidthBut->click();
    EXPECT_EQ(preview->ZoomItem(), 1);
    EXPECT_NEAR(ui.PagePanel->width(), ui.ScrollBox->viewport()->width() - 20, 1);
    EXPECT_TRUE(ui.ScrollBox->verticalScrollBar()->isVisible());
    EXPECT_FALSE(ui.ScrollBox->horizontalScrollBar()->isVisible());

    ui.ZoomBox->setCurrentIndex(3);
    EXPECT_EQ(ui.PagePanel->size(), (paper * 0.25).toSize());
    EXPECT_FALSE(ui.ScrollBox->verticalScrollBar()->isVisible());
    const QSize view = ui.ScrollBox->viewport()->size();
    EXPECT_NEAR(ui.PagePanel->x(), (view.width() - ui.PagePanel->width()) / 2, 1);
    EXPECT_NEAR(ui.PagePanel->y(), (view.height() - ui.PagePanel->height()) / 2, 1);
}

// Whatever the zoom and the number of sheets, the scroll bars up are just
// those the sheets need, and the sheets lie centred or 10 pixels in.
TEST_F(PreviewZooming, EachZoomShowsJustTheScrollBarsItNeeds)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    preview->show();
    QApplication::processEvents();
    const TPreviewUi& ui = preview->Ui();
    const auto check = [&ui](const std::string& what) {
        const QSize view = ui.ScrollBox->viewport()->size();
        const QSize container = ui.ContainPanel->size();
        EXPECT_EQ(ui.ScrollBox->verticalScrollBar()->isVisible(),
                  container.height() > view.height())
            << what;
        EXPECT_EQ(ui.ScrollBox->horizontalScrollBar()->isVisible(),
                  container.width() > view.width())
            << what;
        EXPECT_EQ(container, container.expandedTo(view)) << what;
        QRect sheets = ui.PagePanel->geometry();
        if (ui.PagePanel2->isVisible()) {
            sheets |= ui.PagePanel2->geometry();
        }
        EXPECT_TRUE(QRect(QPoint(0, 0), container).adjusted(10, 10, -10, -10).contains(sheets))
            << what;
        if (container.width() == view.width()) {
            EXPECT_NEAR(sheets.left(), view.width() - 1 - sheets.right(), 1) << what;
        }
        if (container.height() == view.height()) {
            EXPECT_NEAR(sheets.top(), view.height() - 1 - sheets.bottom(), 1) << what;
        }
    };
    for (int item = 0; item < ui.ZoomBox->count(); ++item) {
        ui.ZoomBox->setCurrentIndex(item);
        check("item " + std::to_string(item));
        preview->SetTwoPages(true);
        EXPECT_EQ(ui.PagePanel2->isVisible(), item > 1) << "fitted zooms show one sheet";
        check("two sheets, item " + std::to_string(item));
        preview->SetTwoPages(false);
    }
    // From large sheets straight down to small ones and back.
    for (const int item : {11, 3, 10, 0, 9, 1}) {
        ui.ZoomBox->setCurrentIndex(item);
        check("again item " + std::to_string(item));
    }
}

TEST_F(PreviewZooming, TheViewZoomToolEnlargesAroundTheClickedPoint)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    preview->show();
    QApplication::processEvents();
    const TPreviewUi& ui = preview->Ui();
    ui.ZoomBox->setCurrentIndex(6);
    const QSize before = ui.PagePanel->size();
    const QPoint clicked(before.width() / 2, before.height() * 3 / 5);
    Click(ui.PagePanel, clicked);
    EXPECT_DOUBLE_EQ(preview->ViewZoom(), 1.25);
    EXPECT_EQ(preview->ZoomItem(), 2);
    EXPECT_NEAR(ui.PagePanel->width(), before.width() * 1.25, 1);
    const QPoint now = ui.PagePanel->mapTo(ui.ScrollBox->viewport(), clicked * 1.25);
    const QPoint middle = ui.ScrollBox->viewport()->rect().center();
    EXPECT_NEAR(now.x(), middle.x(), 2);
    EXPECT_NEAR(now.y(), middle.y(), 2);

    Click(ui.PagePanel, clicked, Qt::RightButton);
    EXPECT_DOUBLE_EQ(preview->ViewZoom(), 1.0);
    for (int click = 0; click < 40; ++click) {
        preview->ZoomView(false, ui.PagePanel, QPoint(1, 1));
    }
    EXPECT_GT(preview->ViewZoom(), 0.08);
    EXPECT_GE(ui.PagePanel->width(), 1);
    for (int click = 0; click < 40; ++click) {
        preview->ZoomView(true, ui.PagePanel, QPoint(1, 1));
    }
    EXPECT_LT(preview->ViewZoom(), 25.0);
    // However large the sheet, its picture stays bounded.
    const QImage picture = preview->Pages().PageImage(0, 96 * preview->ViewZoom());
    EXPECT_LE(qint64(picture.width()) * picture.height(), TPreviewPages::MaxImagePixels);
}

TEST_F(PreviewZooming, ThePrintScaleToolLaysThePagesOutAgain)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    preview->show();
    QApplication::processEvents();
    const TPreviewUi& ui = preview->Ui();
    const int natural = preview->PageCount();
    ui.ZoomCursorPrintBut->click();
    EXPECT_EQ(preview->CurrentTool(), TPreviewForm::Tool::PrintScale);
    Click(ui.PagePanel, Middle(ui.PagePanel));
    EXPECT_FLOAT_EQ(preview->PrintScale(), 1.1f);
    EXPECT_GE(preview->PageCount(), natural);
    EXPECT_EQ(preview->StatusText(2), QStringLiteral(" Масштаб печати: 110%"));

    ui.LastPageBut->click();
    for (int click = 0; click < 6; ++click) {
        Click(ui.PagePanel, Middle(ui.PagePanel), Qt::RightButton);
    }
    EXPECT_FLOAT_EQ(preview->PrintScale(), 1.1f / std::pow(1.1f, 6.0f));
    EXPECT_LT(preview->PageCount(), natural);
    EXPECT_EQ(preview->CurrentPage(), preview->PageCount() - 1);
    EXPECT_FALSE(ui.NextPageBut->isEnabled());

    ui.RestoreStartPrintZoomBut->click();
    EXPECT_FLOAT_EQ(preview->PrintScale(), 1.0f);
    EXPECT_EQ(preview->PageCount(), natural);
    EXPECT_EQ(preview->StatusText(2), QStringLiteral(" Масштаб печати: 100%"));
}

TEST_F(PreviewZooming, TheHandToolDragsTheView)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    preview->show();
    QApplication::processEvents();
    const TPreviewUi& ui = preview->Ui();
    ui.ZoomBox->setCurrentIndex(9);
    ui.HandCursorBut->click();
    QScrollBar* horizontal = ui.ScrollBox->horizontalScrollBar();
    QScrollBar* vertical = ui.ScrollBox->verticalScrollBar();
    horizontal->setValue(100);
    vertical->setValue(100);
    const QPoint start(300, 300);
    const QPoint global(1000, 1000);
    Mouse(ui.PagePanel, QEvent::MouseButtonPress, start, global, Qt::LeftButton);
    Mouse(ui.PagePanel, QEvent::MouseMove, start, global + QPoint(-50, -40), Qt::LeftButton);
    EXPECT_EQ(horizontal->value(), 150);
    EXPECT_EQ(vertical->value(), 140);
    Mouse(ui.PagePanel, QEvent::MouseMove, start, global + QPoint(30, 20), Qt::LeftButton);
    EXPECT_EQ(horizontal->value(), 70);
    EXPECT_EQ(vertical->value(), 80);
    Mouse(ui.PagePanel, QEvent::MouseButtonRelease, start, global, Qt::NoButton);
    Mouse(ui.PagePanel, QEvent::MouseMove, start, global + QPoint(90, 90), Qt::NoButton);
    EXPECT_EQ(horizontal->value(), 70);
    EXPECT_DOUBLE_EQ(preview->ViewZoom(), 2.0);

    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(ui.PagePanel, &down);
    EXPECT_GT(vertical->value(), 80);
}

using PreviewOptions = PreviewTest;

TEST_F(PreviewOptions, OrientationTurnsThePaper)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    preview->show();
    const TPreviewUi& ui = preview->Ui();
    const int portrait = preview->PageCount();
    ui.PageOrientationBut->click();
    EXPECT_EQ(preview->Pages().Orientation(), QPageLayout::Landscape);
    EXPECT_TRUE(ui.PageOrientationBut->isChecked());
    EXPECT_GT(preview->PageCount(), portrait);
    const QImage sheet = preview->Pages().PageImage(0, 48);
    EXPECT_GT(sheet.width(), sheet.height());
    ui.PageOrientationBut->click();
    EXPECT_EQ(preview->Pages().Orientation(), QPageLayout::Portrait);
    EXPECT_FALSE(ui.PageOrientationBut->isChecked());
    EXPECT_EQ(preview->PageCount(), portrait);
}

TEST_F(PreviewOptions, PageNumbersAndBackgroundsChangeThePrintedSheets)
{
    int headers = 0;
    QObject::connect(viewer.get(), &THtmlViewer::printHeader, [&headers] { ++headers; });
    auto preview = Open(kShortPage);
    ASSERT_TRUE(preview);
    const QPoint inside =
        preview->Pages().Printer().pageLayout().paintRectPixels(96).topLeft() + QPoint(2, 2);
    EXPECT_EQ(preview->Pages().PageImage(0, 96).pixelColor(inside), QColor(255, 255, 0));
    EXPECT_EQ(headers, 1);

    preview->Ui().PageNumbersOffItem->trigger();
    EXPECT_FALSE(preview->Pages().Printer().pageNumbers());
    EXPECT_TRUE(preview->Ui().PageNumbersOffItem->isChecked());
    preview->Pages().PageImage(0, 96);
    EXPECT_EQ(headers, 1);

    preview->Ui().PrintBackgroundItem->trigger();
    EXPECT_FALSE(preview->Pages().Printer().printBackground());
    EXPECT_EQ(preview->Pages().PageImage(0, 96).pixelColor(inside), QColor(Qt::white));

    preview->Ui().PageNumbersOnItem->trigger();
    preview->Ui().PrintBackgroundItem->trigger();
    EXPECT_EQ(preview->Pages().PageImage(0, 96).pixelColor(inside), QColor(255, 255, 0));
    EXPECT_EQ(headers, 2);
}

TEST_F(PreviewOptions, ACancelledRelayoutKeepsThePagesAndTheSettings)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    preview->show();
    const TPreviewUi& ui = preview->Ui();
    ui.LastPageBut->click();
    const Sheets before = SheetsOf(*preview);
    const QImage lastSheet = preview->Pages().PageImage(before.pages - 1, 40);
    CancelEveryRun cancel;
    ui.PageOrientationBut->click();
    ui.PageNumbersOffItem->trigger();
    ui.PrintBackgroundItem->trigger();
    preview->ZoomPrintScale(false);
    preview->ZoomPrintScale(true);
    EXPECT_EQ(cancel.shown(), 5);
    EXPECT_TRUE(SheetsOf(*preview) == before);
    EXPECT_EQ(preview->CurrentPage(), before.pages - 1);
    EXPECT_FALSE(ui.PageOrientationBut->isChecked());
    EXPECT_TRUE(ui.PageNumbersOnItem->isChecked());
    EXPECT_TRUE(ui.PrintBackgroundItem->isChecked());
    EXPECT_EQ(preview->StatusText(2), QStringLiteral(" Масштаб печати: 100%"));
    EXPECT_EQ(preview->Pages().PageImage(before.pages - 1, 40), lastSheet);
}

TEST_F(PreviewOptions, ButtonCaptionsNeedAWiderWindow)
{
    auto preview = Open(kShortPage);
    ASSERT_TRUE(preview);
    const TPreviewUi& ui = preview->Ui();
    EXPECT_EQ(ui.FirstPageBut->toolButtonStyle(), Qt::ToolButtonIconOnly);
    ui.ButtonCaptionsItem->trigger();
    EXPECT_EQ(preview->minimumSize(), QSize(600, 300));
    EXPECT_EQ(ui.FirstPageBut->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(ui.FirstPageBut->text(), QStringLiteral("Первая станица"));
    EXPECT_EQ(ui.PageOrientationBut->text(), QStringLiteral("Ориентация листа"));
    EXPECT_EQ(ui.CloseBut->toolTip(), QStringLiteral("Завершить просмотр"));
    // At the narrowest width the captioned tool bar wraps onto further rows.
    preview->setWindowState(Qt::WindowNoState);
    preview->resize(600, 400);
    preview->show();
    QApplication::processEvents();
    EXPECT_EQ(ui.PrintBut->y(), ui.PageOrientationBut->y());
    EXPECT_GT(ui.CloseBut->y(), ui.PrintBut->geometry().bottom());
    EXPECT_GE(ui.MainToolbar->height(), ui.CloseBut->geometry().bottom());
    ui.ButtonCaptionsItem->trigger();
    EXPECT_EQ(preview->minimumSize(), QSize(300, 250));
    EXPECT_EQ(ui.CloseBut->toolButtonStyle(), Qt::ToolButtonIconOnly);
}

TEST_F(PreviewOptions, HintsHelpAndEscape)
{
    auto preview = Open(kShortPage);
    ASSERT_TRUE(preview);
    preview->show();
    const TPreviewUi& ui = preview->Ui();
    QStatusTipEvent tip(ui.NextPageBut->statusTip());
    QApplication::sendEvent(ui.NextPageBut, &tip);
    EXPECT_EQ(preview->StatusText(3), QStringLiteral(" На следующую страницу"));
    QStatusTipEvent sheetTip(ui.PagePanel->statusTip());
    QApplication::sendEvent(ui.PagePanel, &sheetTip);
    EXPECT_EQ(preview->StatusText(3),
              QStringLiteral(" Просмотр страницы. Используйте правую/левую кнопку мыши для "
                             "уменьшения/увеличения."));

    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(ui.ScrollBox, &f1);
    ui.HelpBut->click();
    EXPECT_EQ(helpCalls, 2);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(ui.PagePanel, &escape);
    EXPECT_FALSE(preview->isVisible());
    EXPECT_EQ(preview->result(), QDialog::Rejected);
}

using PreviewPictures = PreviewTest;

TEST_F(PreviewPictures, AWidePictureComesUpInLandscapeAcrossThePage)
{
    ASSERT_TRUE(viewer->loadFile(Picture(QStringLiteral("wide.png"), QSize(1500, 400))));
    auto preview = Open(QString(), true, viewer->lastPictureSize());
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->Pages().Orientation(), QPageLayout::Landscape);
    EXPECT_TRUE(preview->Ui().PageOrientationBut->isChecked());
    EXPECT_EQ(preview->PageCount(), 1);
    EXPECT_LT(preview->PrintScale(), 0.8f);
    EXPECT_FLOAT_EQ(preview->StartPrintScale(), preview->PrintScale());
    const QRect printable = preview->Pages().Printer().pageLayout().paintRectPixels(96);
    const QImage sheet = preview->Pages().PageImage(0, 96);
    EXPECT_EQ(sheet.pixelColor(printable.topRight() + QPoint(-8, 20)), QColor(Qt::green));
    EXPECT_EQ(sheet.pixelColor(printable.topLeft() + QPoint(8, 20)), QColor(Qt::green));
    EXPECT_EQ(sheet.pixelColor(printable.topRight() + QPoint(4, 20)), QColor(Qt::white));
}

TEST_F(PreviewPictures, PicturesAreScaledOnlyWhenTheyDoNotFit)
{
    ASSERT_TRUE(viewer->loadFile(Picture(QStringLiteral("tall.png"), QSize(300, 2000))));
    auto tall = Open(QString(), true, viewer->lastPictureSize());
    ASSERT_TRUE(tall);
    EXPECT_EQ(tall->Pages().Orientation(), QPageLayout::Portrait);
    EXPECT_EQ(tall->PageCount(), 1);
    EXPECT_NEAR(tall->PrintScale() * (2000 + 2 * viewer->pageMargin()),
                tall->Pages().DocumentArea(QPageLayout::Portrait).height(), 1.0);

    ASSERT_TRUE(viewer->loadFile(Picture(QStringLiteral("small.png"), QSize(200, 100))));
    auto small = Open(QString(), true, viewer->lastPictureSize());
    ASSERT_TRUE(small);
    EXPECT_FLOAT_EQ(small->PrintScale(), 1.0f);
    EXPECT_EQ(small->Pages().Orientation(), QPageLayout::Portrait);

    // Without the picture flag, or without its size, the page prints as it is.
    ASSERT_TRUE(viewer->loadFile(Picture(QStringLiteral("wide.png"), QSize(1500, 400))));
    for (const auto& [picture, size] :
         {std::pair(false, QSize(1500, 400)), std::pair(true, QSize(1500, 0))}) {
        auto plain = Open(QString(), picture, size);
        ASSERT_TRUE(plain);
        EXPECT_FLOAT_EQ(plain->PrintScale(), 1.0f);
        EXPECT_EQ(plain->Pages().Orientation(), QPageLayout::Portrait);
    }
}
