#pragma once

#include "components/ServiceComponents.h"

#include <QImage>
#include <QPointer>
#include <functional>

class TCoolDialog;

// The progress bar of the skinned dialog's find page: an empty bar picture
// filled column by column from the full one, drawn into the dialog's face.
class TScaleBar final : public IScaleBar {
public:
    static constexpr int kBarX = 33;
    static constexpr int kBarY = 75;
    static constexpr int kBarScreen = 1;

    TScaleBar(std::function<QImage(const QString& name)> readPicture,
              std::function<int()> currentScreen);

    void SetDialog(TCoolDialog* dialog) { dialog_ = dialog; }
    void PrepareBar() override;
    void StepBar() override;
    void ResetBar() override;
    int BarWidth() const override { return barRight_ - kBarX; }
    int FilledWidth() const override { return barPos_ - kBarX; }

private:
    int Screen() const { return currentScreen_ ? currentScreen_() : 0; }
    // Draws part of a picture into the dialog's face and onto the dialog.
    void Draw(const QImage& picture, QRect part, QPoint at);

    std::function<QImage(const QString& name)> readPicture_;
    std::function<int()> currentScreen_;
    QPointer<TCoolDialog> dialog_;
    QImage empty_;
    QImage full_;
    int barRight_ = kBarX;
    int barBottom_ = kBarY;
    int barPos_ = kBarX;
    int lastScreen_ = -1;
};
