#include "print/GoPageForm.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

TGoPageForm::TGoPageForm(int pageCount, int currentPage, QWidget* parent)
    : QDialog(parent), pageCount_(std::max(1, pageCount))
{
    setObjectName(QStringLiteral("GoPageForm"));
    setWindowTitle(QStringLiteral("Переход на страницу"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    pageNum_ = new QSpinBox(this);
    pageNum_->setObjectName(QStringLiteral("PageNum"));
    pageNum_->setRange(1, pageCount_);
    pageNum_->setValue(std::clamp(currentPage + 1, 1, pageCount_));
    pageNum_->installEventFilter(this);
    okBtn_ = new QPushButton(QStringLiteral("OK"), this);
    okBtn_->setObjectName(QStringLiteral("OKBtn"));
    okBtn_->setDefault(true);
    cancelBtn_ = new QPushButton(QStringLiteral("Отмена"), this);
    cancelBtn_->setObjectName(QStringLiteral("CancelBtn"));
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn_);
    buttons->addWidget(cancelBtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageNum_);
    layout->addLayout(buttons);
    pageNum_->setFocus();
}

std::optional<int> TGoPageForm::Ask(int pageCount, int currentPage, QWidget* parent)
{
    TGoPageForm form(pageCount, currentPage, parent);
    if (form.exec() != Accepted) {
        return std::nullopt;
    }
    return form.ChosenPage();
}

int TGoPageForm::ChosenPage() const
{
    const int value = pageNum_->value();
    return value < 1 ? 0 : std::min(value, pageCount_) - 1;
}

// Entering the field selects its text, so that a number typed replaces it.
bool TGoPageForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pageNum_ && event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, pageNum_, &QSpinBox::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

void TGoPageForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}
