#include "dialogs/StatusLine.h"

#include "dialogs/TextMsg.h"

TStatusLine::TStatusLine(TTextMsg* texts, QObject* parent) : QObject(parent), texts_(texts)
{
    timer_.setInterval(kBlinkMs);
    connect(&timer_, &QTimer::timeout, this, &TStatusLine::BlinkTick);
}

void TStatusLine::ShowStatus(const QString& text)
{
    if (!texts_) {
        return;
    }
    statusText_ = text;
    blinkCount_ = 1;
    texts_->SetText(text, TTextMsg::kStatusLine, true);
    timer_.start();
}

void TStatusLine::ClearStatus()
{
    if (!texts_) {
        return;
    }
    timer_.stop();
    statusText_.clear();
    blinkCount_ = 1;
    texts_->SetText(QString(), TTextMsg::kStatusLine, true);
}

void TStatusLine::BlinkTick()
{
    if (blinkCount_ >= kLastBlink) {
        timer_.stop();
        return;
    }
    if (texts_) {
        texts_->SetText(blinkCount_ % 2 == 1 ? QString() : statusText_, TTextMsg::kStatusLine,
                        true);
    }
    ++blinkCount_;
}
