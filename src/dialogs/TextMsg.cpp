#include "dialogs/TextMsg.h"

#include "effects/InterfaceFonts.h"

#include <QFontMetrics>
#include <QPainter>

TTextMsg::TTextMsg(QWidget* mainWindow, const TDynamicTextArray& texts,
                   std::function<int()> currentScreen)
    : mainWindow_(mainWindow), records_(texts), currentScreen_(std::move(currentScreen))
{
    for (const RText& text : texts) {
        fonts_.append(FontOf(text));
        texts_.append(text.Value);
        rects_.append(QRect(QPoint(text.Left, text.Top), QPoint(text.Right, text.Top)));
    }
}

QFont TTextMsg::FontOf(const RText& text)
{
    return InterfaceFont(text.Font, text.Size, StyleWords(text.Style));
}

QWidget* TTextMsg::TargetOf(int index) const
{
    return records_[index].Number == kDialogNumber ? dialog_.data() : mainWindow_.data();
}

// A text longer than its element's area (left to right edge) ends in an
// ellipsis there instead of running over the controls beside it.
QString TTextMsg::ShownText(int index, const QString& text) const
{
    const RText& record = records_[index];
    if (record.Right <= record.Left) {
        return text;
    }
    return QFontMetrics(fonts_[index]).elidedText(text, Qt::ElideRight, record.Right - record.Left);
}

// The area the text covers when drawn at the element's top-left corner.
QRect TTextMsg::AreaOf(int index, const QString& text) const
{
    const QFontMetrics metrics(fonts_[index]);
    return QRect(records_[index].Left, records_[index].Top,
                 metrics.horizontalAdvance(ShownText(index, text)), metrics.height());
}

void TTextMsg::PaintTexts(QPainter& painter, bool dialog)
{
    const int screen = currentScreen_ ? currentScreen_() : 0;
    for (int index = 0; index < records_.size(); ++index) {
        const RText& record = records_[index];
        if (record.Screen != screen || (record.Number == kDialogNumber) != dialog) {
            continue;
        }
        rects_[index] = AreaOf(index, texts_[index]);
        painter.save();
        painter.setFont(fonts_[index]);
        painter.setPen(InterfaceColour(record.Color));
        painter.setClipRect(rects_[index]);
        painter.drawText(rects_[index], Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         ShownText(index, texts_[index]));
        painter.restore();
    }
}

void TTextMsg::SetText(const QString& text, qint32 number, bool redraw)
{
    for (int index = 0; index < records_.size(); ++index) {
        if (number == kStatusLine) {
            if (records_[index].Ident.compare(QLatin1String("statusline"), Qt::CaseInsensitive) ==
                0) {
                SetOne(index, text, redraw);
            }
        } else if (records_[index].Number == number) {
            SetOne(index, text, redraw);
            return;
        }
    }
}

// The old text's area gets the background back and the new text is drawn:
// both are repainted by their window.
void TTextMsg::SetOne(int index, const QString& text, bool redraw)
{
    if (texts_[index] == text) {
        return;
    }
    const QRect old = rects_[index];
    texts_[index] = text;
    QWidget* target = TargetOf(index);
    if (redraw && target) {
        target->update(old.united(AreaOf(index, text)));
    }
}
