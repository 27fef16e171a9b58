#pragma once

#include "components/ServiceComponents.h"

#include <QTimer>

class TTextMsg;

// A short message in the status-line texts: shown at once, then blinking
// off and on every 200 ms, gone for good after 39 ticks.
class TStatusLine final : public QObject, public IStatusLine {
    Q_OBJECT
public:
    static constexpr int kBlinkMs = 200;
    static constexpr int kLastBlink = 40;

    // texts may be null: then nothing is ever shown.
    explicit TStatusLine(TTextMsg* texts, QObject* parent = nullptr);
    // The text elements come after the status line at start-up.
    void SetTexts(TTextMsg* texts) { texts_ = texts; }

    void ShowStatus(const QString& text) override;
    void ClearStatus() override;

    const QString& StatusText() const { return statusText_; }
    int BlinkCount() const { return blinkCount_; }
    bool Blinking() const { return timer_.isActive(); }
    void BlinkTick();

private:
    TTextMsg* texts_;
    QString statusText_;
    int blinkCount_ = 1;
    QTimer timer_;
};
