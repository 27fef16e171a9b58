#include "dialogs/ScaleBar.h"

#include "dialogs/CoolDialog.h"

#include <QPainter>

TScaleBar::TScaleBar(std::function<QImage(const QString& name)> readPicture,
                     std::function<int()> currentScreen)
    : readPicture_(std::move(readPicture)), currentScreen_(std::move(currentScreen))
{
    PrepareBar();
}

void TScaleBar::PrepareBar()
{
    const int screen = Screen();
    if (screen == kBarScreen) {
        empty_ = readPicture_ ? readPicture_(QStringLiteral("status_up.bmp")) : QImage();
        full_ = readPicture_ ? readPicture_(QStringLiteral("status_dn.bmp")) : QImage();
        barRight_ = kBarX + empty_.width();
        barBottom_ = kBarY + empty_.height();
        if (dialog_) {
            Draw(full_, full_.rect(), QPoint(kBarX, kBarY));
            Draw(empty_, empty_.rect(), QPoint(kBarX, kBarY));
            ResetBar();
        }
    } else if (screen == lastScreen_) {
        empty_ = QImage();
        full_ = QImage();
    }
    lastScreen_ = screen;
}

void TScaleBar::ResetBar()
{
    barPos_ = kBarX;
    if (Screen() == kBarScreen) {
        Draw(empty_, empty_.rect(), QPoint(kBarX, kBarY));
    }
}

void TScaleBar::StepBar()
{
    if (Screen() == kBarScreen && barPos_ < barRight_) {
        const int column = barPos_ - kBarX;
        Draw(full_, QRect(column, 0, 1, full_.height()), QPoint(barPos_, kBarY));
    }
    ++barPos_;
}

void TScaleBar::Draw(const QImage& picture, QRect part, QPoint at)
{
    if (!dialog_ || picture.isNull() || dialog_->Face().isNull()) {
        return;
    }
    QPainter painter(&dialog_->Face());
    painter.drawImage(at, picture, part);
    painter.end();
    dialog_->update(QRect(at, part.size()));
}
