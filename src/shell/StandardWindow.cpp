#include "shell/StandardWindow.h"

#include "components/ContentComponents.h"
#include "shell/HistoryMenu.h"
#include "shell/ToolbarPictures.h"

#include <QAction>
#include <QIcon>
#include <QPixmap>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int dividerWidth = 10;

} // namespace

TStandardWindow::TStandardWindow(QWidget& window)
    : QObject(&window), window_(window), imgListEnb_(ToolbarPictures::Normal()),
      imgListHot_(ToolbarPictures::Hot()), imgListDis_(ToolbarPictures::Disabled())
{
}

TStandardWindow::~TStandardWindow() = default;

void TStandardWindow::Show(bool viewerMode)
{
    if (toolBar_) {
        toolBar_->show();
        statusBar_->show();
    } else {
        Create();
    }
    SetButtonShown(Divider, false);
    SetButtonShown(BackButton, false);
    SetButtonShown(ForwardButton, false);
    SetButtonShown(LeaveButton, !viewerMode);
    statusBar_->hide();
    toolBar_->raise();
    shown_ = true;
    Layout();
}

void TStandardWindow::Hide()
{
    if (toolBar_) {
        toolBar_->hide();
        statusBar_->hide();
    }
    shown_ = false;
}

// A flat toolbar with captions under the pictures, five buttons, and the
// status bar with one simple panel.
void TStandardWindow::Create()
{
    backMenu_ = new THistoryMenu(QStringLiteral("Назад"), QIcon(QPixmap::fromImage(imgListEnb_[0])),
                                 THistoryMenu::TDirection::Back, &window_);
    forwardMenu_ =
        new THistoryMenu(QStringLiteral("Вперед"), QIcon(QPixmap::fromImage(imgListEnb_[1])),
                         THistoryMenu::TDirection::Forward, &window_);
    for (THistoryMenu* menu : {backMenu_, forwardMenu_}) {
        connect(menu, &THistoryMenu::HistoryChosen, this, &TStandardWindow::HistoryChosen);
    }
    toolBar_ = new QToolBar(&window_);
    toolBar_->setAutoFillBackground(true);
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(ToolbarPictures::Size, ToolbarPictures::Size));
    AddButton(BackButton, QStringLiteral("Назад"), ToolbarPictures::ArrowLeft,
              QStringLiteral("Перемещение назад на одну ссылку"));
    AddButton(ForwardButton, QStringLiteral("Вперед"), ToolbarPictures::ArrowRight,
              QStringLiteral("Перемещение вперед на одну ссылку"));
    AddDivider();
    AddButton(PrintButton, QStringLiteral("Печать"), ToolbarPictures::Printer,
              QStringLiteral("Напечатать текущий файл"));
    AddButton(LeaveButton, QStringLiteral("Свернуть"), ToolbarPictures::WindowArrow,
              QStringLiteral("Вернуться к красивому окошку"));
    buttons_[BackButton]->setMenu(backMenu_->Menu());
    buttons_[ForwardButton]->setMenu(forwardMenu_->Menu());
    statusBar_ = new QStatusBar(&window_);
    statusBar_->setSizeGripEnabled(false);
    statusBar_->setAutoFillBackground(true);
    toolBar_->show();
    statusBar_->show();
}

void TStandardWindow::AddButton(TButton button, const QString& caption, int picture,
                                const QString& hint)
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(imgListEnb_.at(picture)), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(imgListHot_.at(picture)), QIcon::Active);
    if (picture < imgListDis_.size()) {
        icon.addPixmap(QPixmap::fromImage(imgListDis_.at(picture)), QIcon::Disabled);
    }
    auto* tool = new QToolButton(toolBar_);
    tool->setIcon(icon);
    tool->setText(caption);
    tool->setToolTip(hint);
    tool->setAutoRaise(true);
    tool->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const bool dropDown = button == BackButton || button == ForwardButton;
    tool->setPopupMode(dropDown ? QToolButton::MenuButtonPopup : QToolButton::DelayedPopup);
    connect(tool, &QToolButton::clicked, this, [this, button] { emit ButtonClicked(button); });
    buttonActions_.append(toolBar_->addWidget(tool));
    buttons_.append(tool);
}

void TStandardWindow::AddDivider()
{
    auto* divider = new QWidget(toolBar_);
    divider->setFixedWidth(dividerWidth);
    buttonActions_.append(toolBar_->addWidget(divider));
    buttons_.append(nullptr);
}

void TStandardWindow::SetButtonShown(TButton button, bool shown)
{
    buttonActions_.at(button)->setVisible(shown);
}

QToolButton* TStandardWindow::Button(TButton button) const
{
    return buttons_.isEmpty() ? nullptr : buttons_.at(button);
}

bool TStandardWindow::ButtonShown(TButton button) const
{
    return !buttonActions_.isEmpty() && buttonActions_.at(button)->isVisible();
}

QRect TStandardWindow::Layout()
{
    QRect area = window_.rect();
    if (!shown_) {
        return area;
    }
    if (!toolBar_->isHidden()) {
        const int height = toolBar_->sizeHint().height();
        toolBar_->setGeometry(0, 0, window_.width(), height);
        area.setTop(height);
    }
    if (!statusBar_->isHidden()) {
        const int height = statusBar_->sizeHint().height();
        statusBar_->setGeometry(0, window_.height() - height, window_.width(), height);
        area.setBottom(window_.height() - height - 1);
    }
    return area;
}

void TStandardWindow::Update(IStandardPage* page)
{
    if (!toolBar_) {
        return;
    }
    const QStringList titles = page ? page->HistoryTitles() : QStringList();
    const int index = page ? page->HistoryIndex() : 0;
    buttons_[BackButton]->setEnabled(page && page->CanGoBack());
    buttons_[ForwardButton]->setEnabled(page && page->CanGoForward());
    backMenu_->Update(titles, index);
    forwardMenu_->Update(titles, index);
}

void TStandardWindow::SetStatusText(const QString& text)
{
    if (statusBar_) {
        statusBar_->showMessage(text);
    }
}
