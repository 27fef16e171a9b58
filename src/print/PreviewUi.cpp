#include "print/PreviewUi.h"

#include "print/FlowLayout.h"
#include "print/PageView.h"
#include "print/PreviewArt.h"
#include "print/PreviewZoom.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using PreviewArt::Icon;

QToolButton* addButton(TFlowLayout& bar, const char* name, const QString& caption,
                       const QString& hint, Icon icon, bool checkable = false)
{
    auto* button = new QToolButton(bar.parentWidget());
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setIcon(PreviewArt::MakeIcon(icon));
    button->setAutoRaise(true);
    button->setCheckable(checkable);
    button->setFocusPolicy(Qt::NoFocus);
    bar.addWidget(button);
    return button;
}

void setHint(QWidget& widget, const QString& hint)
{
    widget.setToolTip(hint);
    widget.setStatusTip(hint);
}

} // namespace

void TPreviewUi::Build(QDialog& form)
{
    buildToolbar(form);
    buildPopupMenu(form);
    buildPages(form);
    buildStatusBar(form);
    auto* layout = new QVBoxLayout(&form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(MainToolbar);
    layout->addWidget(ScrollBox, 1);
    layout->addWidget(StatusBar);
    ShowCaptions(false);
}

void TPreviewUi::buildToolbar(QWidget& form)
{
    MainToolbar = new QWidget(&form);
    MainToolbar->setObjectName(QStringLiteral("MainToolbar"));
    MainToolbar->setContextMenuPolicy(Qt::CustomContextMenu);
    ToolbarLayout = new TFlowLayout(MainToolbar);
    TFlowLayout& bar = *ToolbarLayout;
    const QString print = QStringLiteral("Печать");
    PrintBut = addButton(bar, "PrintBut", print, print, Icon::Print);
    const QString orientation = QStringLiteral("Ориентация листа");
    PageOrientationBut =
        addButton(bar, "PageOrientationBut", orientation, orientation, Icon::Orientation, true);
    FirstPageBut = addButton(bar, "FirstPageBut", QStringLiteral("Первая станица"),
                             QStringLiteral("На первую страницу"), Icon::FirstPage);
    PrevPageBut = addButton(bar, "PrevPageBut", QStringLiteral("Предыдущая страница"),
                            QStringLiteral("На предыдущую страницу"), Icon::PrevPage);
    NextPageBut = addButton(bar, "NextPageBut", QStringLiteral("Следующая страница"),
                            QStringLiteral("На следующую страницу"), Icon::NextPage);
    LastPageBut = addButton(bar, "LastPageBut", QStringLiteral("Последняя страница"),
                            QStringLiteral("На последнюю страницу"), Icon::LastPage);
    const QString goTo = QStringLiteral("Переход на страницу");
    GoToPageBut = addButton(bar, "GoToPageBut", goTo, goTo, Icon::GoToPage);

    ZoomBox = new QComboBox(MainToolbar);
    ZoomBox->setObjectName(QStringLiteral("ZoomBox"));
    ZoomBox->addItems(PreviewZoom::ItemTexts());
    ZoomBox->setFocusPolicy(Qt::ClickFocus);
    setHint(*ZoomBox, QStringLiteral("Выбор масштаба отображения документа"));
    bar.addWidget(ZoomBox);

    const QString fitPage = QStringLiteral("Лист целиком");
    FitPageBut = addButton(bar, "FitPageBut", fitPage, fitPage, Icon::FitPage);
    const QString fitWidth = QStringLiteral("По ширине");
    FitWidthBut = addButton(bar, "FitWidthBut", fitWidth, fitWidth, Icon::FitWidth);
    RestoreStartPrintZoomBut =
        addButton(bar, "RestoreStartPrintZoomBut", QStringLiteral("Восстановить масштаб"),
                  QStringLiteral("Восстановить исходный масштаб печати"), Icon::RestoreScale);
    ZoomCursorPrintBut = addButton(bar, "ZoomCursorPrintBut", QStringLiteral("Масштаб печати"),
                                   QStringLiteral("Увеличение/уменьшение масштаба печати"),
                                   Icon::PrintScaleTool, true);
    ZoomCursorBut =
        addButton(bar, "ZoomCursorBut", QStringLiteral("Масштаб просмотра"),
                  QStringLiteral("Увеличение/уменьшение масштаба просмотра"), Icon::ZoomTool, true);
    const QString hand = QStringLiteral("Перемещение");
    HandCursorBut = addButton(bar, "HandCursorBut", hand, hand, Icon::HandTool, true);
    OnePageBut = addButton(bar, "OnePageBut", QStringLiteral("Один лист"),
                           QStringLiteral("Один лист на странице"), Icon::OnePage, true);
    TwoPageBut = addButton(bar, "TwoPageBut", QStringLiteral("Два листа"),
                           QStringLiteral("Два листа на странице"), Icon::TwoPages, true);
    const QString help = QStringLiteral("Помощь");
    HelpBut = addButton(bar, "HelpBut", help, help, Icon::Help);
    CloseBut = addButton(bar, "CloseBut", QStringLiteral("Выход"),
                         QStringLiteral("Завершить просмотр"), Icon::Close);
    auto* tools = new QButtonGroup(MainToolbar);
    for (QToolButton* button : {ZoomCursorPrintBut, ZoomCursorBut, HandCursorBut}) {
        tools->addButton(button);
    }
    auto* views = new QButtonGroup(MainToolbar);
    for (QToolButton* button : {OnePageBut, TwoPageBut}) {
        views->addButton(button);
    }
}

void TPreviewUi::buildPopupMenu(QWidget& form)
{
    PopupMenu1 = new QMenu(&form);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* numbers = PopupMenu1->addMenu(QStringLiteral("Номера страниц"));
    auto* group = new QActionGroup(numbers);
    PageNumbersOnItem = numbers->addAction(QStringLiteral("Выводить"));
    PageNumbersOffItem = numbers->addAction(QStringLiteral("Не выводить"));
    for (QAction* item : {PageNumbersOnItem, PageNumbersOffItem}) {
        item->setCheckable(true);
        group->addAction(item);
    }
    PageNumbersOnItem->setChecked(true);
    ButtonCaptionsItem = PopupMenu1->addAction(QStringLiteral("Подписи  к кнопкам"));
    ButtonCaptionsItem->setCheckable(true);
    PrintBackgroundItem = PopupMenu1->addAction(QStringLiteral("Печатать фон"));
    PrintBackgroundItem->setCheckable(true);
    PrintBackgroundItem->setChecked(true);
}

void TPreviewUi::buildPages(QWidget& form)
{
    ScrollBox = new QScrollArea(&form);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setWidgetResizable(false);
    ScrollBox->setFocusPolicy(Qt::NoFocus);
    ContainPanel = new QWidget;
    ContainPanel->setObjectName(QStringLiteral("ContainPanel"));
    ContainPanel->setAutoFillBackground(true);
    QPalette grey = ContainPanel->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    ContainPanel->setPalette(grey);
    const QString hint = QStringLiteral("Просмотр страницы. Используйте правую/левую кнопку мыши "
                                        "для уменьшения/увеличения.");
    PagePanel = new TPageView(ContainPanel);
    PagePanel->setObjectName(QStringLiteral("PagePanel"));
    PagePanel2 = new TPageView(ContainPanel);
    PagePanel2->setObjectName(QStringLiteral("PagePanel2"));
    for (TPageView* view : {PagePanel, PagePanel2}) {
        setHint(*view, hint);
    }
    PagePanel2->hide();
    ScrollBox->setWidget(ContainPanel);
}

void TPreviewUi::buildStatusBar(QWidget& form)
{
    StatusBar = new QStatusBar(&form);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    for (int panel = 0; panel < StatusPanelCount; ++panel) {
        auto* label = new QLabel(StatusBar);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(panel));
        const bool last = panel == StatusPanelCount - 1;
        if (!last) {
            label->setMinimumWidth(150);
        }
        StatusBar->addWidget(label, last ? 1 : 0);
        StatusPanels[std::size_t(panel)] = label;
    }
}

void TPreviewUi::ShowCaptions(bool on)
{
    for (QToolButton* button : Buttons()) {
        button->setToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    }
}

QList<QToolButton*> TPreviewUi::Buttons() const
{
    return {PrintBut,
            FirstPageBut,
            PageOrientationBut,
            PrevPageBut,
            NextPageBut,
            LastPageBut,
            GoToPageBut,
            FitPageBut,
            FitWidthBut,
            RestoreStartPrintZoomBut,
            ZoomCursorPrintBut,
            ZoomCursorBut,
            HandCursorBut,
            OnePageBut,
            TwoPageBut,
            HelpBut,
            CloseBut};
}
