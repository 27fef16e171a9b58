#include "PreviewFixture.h"
#include "platform/WindowRegistry.h"
#include "print/GoPageForm.h"
#include "print/PageView.h"
#include "print/PrintStatusForm.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusTipEvent>
#include <QToolButton>

namespace {

void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
}

} // namespace

using PreviewOpening = PreviewTest;

TEST_F(PreviewOpening, OpensOnTheFirstPageWithTheWholeSheetInView)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    const int pages = preview->PageCount();
    EXPECT_GT(pages, 2);
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Предварительный просмотр"));
    EXPECT_TRUE(preview->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(preview->minimumSize(), QSize(300, 250));
    EXPECT_EQ(preview->ZoomItem(), 0);
    EXPECT_EQ(preview->CurrentTool(), TPreviewForm::Tool::ViewZoom);
    EXPECT_FLOAT_EQ(preview->PrintScale(), 1.0f);
    EXPECT_FLOAT_EQ(preview->StartPrintScale(), 1.0f);
    EXPECT_TRUE(preview->Ui().PrintBackgroundItem->isChecked());
    EXPECT_TRUE(preview->Ui().PageNumbersOnItem->isChecked());
    EXPECT_FALSE(preview->Ui().ButtonCaptionsItem->isChecked());

    preview->show();
    QApplication::processEvents();
    EXPECT_EQ(preview->StatusText(0), QStringLiteral("Страница 1 из %1").arg(pages));
    EXPECT_EQ(preview->StatusText(2), QStringLiteral(" Масштаб печати: 100%"));
    EXPECT_TRUE(preview->StatusText(1).startsWith(QStringLiteral(" Масштаб просмотра: ")));
    EXPECT_FALSE(preview->Ui().FirstPageBut->isEnabled());
    EXPECT_FALSE(preview->Ui().PrevPageBut->isEnabled());
    EXPECT_TRUE(preview->Ui().NextPageBut->isEnabled());
    EXPECT_TRUE(preview->Ui().LastPageBut->isEnabled());
    EXPECT_TRUE(preview->Ui().GoToPageBut->isEnabled());
    const QRect sheet = preview->Ui().PagePanel->geometry();
    const QSize view = preview->Ui().ScrollBox->viewport()->size();
    EXPECT_LE(sheet.width(), view.width() - 20);
    EXPECT_LE(sheet.height(), view.height() - 20);
    EXPECT_TRUE(sheet.height() >= view.height() - 21 || sheet.width() >= view.width() - 21);
    EXPECT_FALSE(preview->Ui().PagePanel2->isVisible());
}

TEST_F(PreviewOpening, DoesNotOpenWithoutPrinterOrDocument)
{
    hooks.PrinterAvailable = [] { return false; };
    EXPECT_FALSE(Open(kLongPage));
    hooks.PrinterAvailable = [] { return true; };
    std::unique_ptr<THtmlViewer> empty(CreateHtmlViewer(nullptr));
    EXPECT_FALSE(TPreviewForm::Create(nullptr, *empty, false, QSize(), hooks));
    ShowPrintPreview(*empty, false, QSize(), nullptr, hooks);
    EXPECT_TRUE(warnings.isEmpty());
}

TEST_F(PreviewOpening, ACancelledFirstLayoutDoesNotOpen)
{
    CancelEveryRun cancel;
    EXPECT_FALSE(Open(kLongPage));
    EXPECT_EQ(cancel.shown(), 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PreviewOpening, TellsAListeningWindowItsHandle)
{
    QList<quint64> told;
    WindowRegistry::Window listener;
    listener.caption = [] { return QStringLiteral("Лумбарт"); };
    listener.visible = [] { return true; };
    listener.message = [&told](quint32 message, quint64 wParam, qint64) {
        if (message == 1690) {
            told.append(wParam);
        }
    };
    const TWindowHandle handle = WindowRegistry::instance().Register(listener);
    hooks.WindowHandleOf = [](QWidget* window) {
        return window->objectName() == QStringLiteral("PreviewForm") ? TWindowHandle(4242) : 0;
    };
    auto preview = Open(kShortPage);
    QApplication::processEvents();
    WindowRegistry::instance().Unregister(handle);
    ASSERT_TRUE(preview);
    EXPECT_EQ(told, QList<quint64>({4242}));
}

using PreviewPages = PreviewTest;

TEST_F(PreviewPages, AOnePageDocumentOffersNoPageButtonsNorTwoSheets)
{
    auto preview = Open(kShortPage);
    ASSERT_TRUE(preview);
    preview->show();
    QApplication::processEvents();
    EXPECT_EQ(preview->PageCount(), 1);
    const TPreviewUi& ui = preview->Ui();
    for (QToolButton* button : {ui.FirstPageBut, ui.PrevPageBut, ui.NextPageBut, ui.LastPageBut,
                                ui.GoToPageBut, ui.TwoPageBut}) {
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    }
    preview->SetTwoPages(true);
    EXPECT_FALSE(preview->TwoPages());
    EXPECT_TRUE(ui.OnePageBut->isChecked());
    Press(ui.ScrollBox, Qt::Key_PageDown);
    EXPECT_EQ(preview->CurrentPage(), 0);
}

TEST_F(PreviewPages, ButtonsAndKeysStepThroughThePages)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    preview->show();
    const TPreviewUi& ui = preview->Ui();
    const int last = preview->PageCount() - 1;
    ui.NextPageBut->click();
    EXPECT_EQ(preview->CurrentPage(), 1);
    EXPECT_TRUE(ui.PrevPageBut->isEnabled());
    ui.LastPageBut->click();
    EXPECT_EQ(preview->CurrentPage(), last);
    EXPECT_FALSE(ui.NextPageBut->isEnabled());
    EXPECT_FALSE(ui.LastPageBut->isEnabled());
    EXPECT_EQ(preview->StatusText(0), QStringLiteral("Страница %1 из %1").arg(last + 1));
    ui.PrevPageBut->click();
    EXPECT_EQ(preview->CurrentPage(), last - 1);
    ui.FirstPageBut->click();
    EXPECT_EQ(preview->CurrentPage(), 0);

    // Keys typed in any control reach the window first.
    Press(ui.ZoomBox, Qt::Key_End);
    EXPECT_EQ(preview->CurrentPage(), last);
    EXPECT_EQ(preview->ZoomItem(), 0);
    Press(ui.ScrollBox, Qt::Key_PageDown);
    EXPECT_EQ(preview->CurrentPage(), last);
    Press(ui.ScrollBox, Qt::Key_PageUp);
    EXPECT_EQ(preview->CurrentPage(), last - 1);
    Press(preview.get(), Qt::Key_Home);
    EXPECT_EQ(preview->CurrentPage(), 0);
    Press(ui.PagePanel, Qt::Key_PageUp);
    EXPECT_EQ(preview->CurrentPage(), 0);
    // The popup menu is a window of its own and keeps its keys.
    Press(ui.PopupMenu1, Qt::Key_End);
    EXPECT_EQ(preview->CurrentPage(), 0);
    EXPECT_FALSE(ui.FirstPageBut->isEnabled());
}

TEST_F(PreviewPages, TwoSheetsShowThePageAfterTheCurrentOne)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    preview->show();
    QApplication::processEvents();
    const TPreviewUi& ui = preview->Ui();
    ASSERT_EQ(preview->ZoomItem(), 0);
    ui.TwoPageBut->click();
    EXPECT_FALSE(preview->TwoPages()) << "the whole sheet fitted is one sheet";
    EXPECT_TRUE(ui.OnePageBut->isChecked());
    EXPECT_FALSE(ui.PagePanel2->isVisible());
    ui.ZoomBox->setCurrentIndex(4); // 50%
    ui.TwoPageBut->click();
    EXPECT_TRUE(preview->TwoPages());
    EXPECT_EQ(preview->ZoomItem(), 4);
    EXPECT_TRUE(ui.PagePanel2->isVisible());
    EXPECT_EQ(ui.PagePanel2->geometry().size(), ui.PagePanel->geometry().size());
    EXPECT_EQ(ui.PagePanel2->x(), ui.PagePanel->geometry().right() + 1 + 20);
    EXPECT_EQ(ui.PagePanel2->y(), ui.PagePanel->y());
    const QImage second = ui.PagePanel2->grab().toImage();
    EXPECT_NE(second, ui.PagePanel->grab().toImage());
    ui.NextPageBut->click();
    EXPECT_EQ(ui.PagePanel->grab().toImage(), second);
    ui.LastPageBut->click();
    EXPECT_FALSE(ui.PagePanel2->isVisible());
    // A fitted zoom goes back to one sheet.
    ui.FitWidthBut->click();
    EXPECT_FALSE(preview->TwoPages());
    EXPECT_TRUE(ui.OnePageBut->isChecked());
}

TEST_F(PreviewPages, GoToPageAsksForTheNumber)
{
    auto preview = Open(kLongPage);
    ASSERT_TRUE(preview);
    preview->show();
    WhenShown<TGoPageForm> answer([](TGoPageForm* form) {
        EXPECT_EQ(form->PageNum()->value(), 1);
        form->PageNum()->setValue(3);
        QTimer::singleShot(0, form->OKBtn(), &QPushButton::click);
    });
    preview->Ui().GoToPageBut->click();
    EXPECT_EQ(answer.shown(), 1);
    EXPECT_EQ(preview->CurrentPage(), 2);
    EXPECT_EQ(preview->StatusText(0).left(11), QStringLiteral("Страница 3 "));
}
