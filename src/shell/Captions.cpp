#include "shell/Captions.h"

#include "effects/InterfaceFonts.h"

#include <QFontMetrics>
#include <QPainter>

QFont CaptionFont(const TCaptionStyle& style, TFontStyles styles)
{
    QFont font = InterfaceFont(style.FontName, style.FontSize, styles);
    font.setKerning(false);
    return font;
}

QColor CaptionColor(TColor color)
{
    return InterfaceColour(color);
}

QList<int> CaptionCharacterPositions(const QString& caption, const TCaptionStyle& style, int left,
                                     int letterSpacing)
{
    const QFontMetrics bold(CaptionFont(style, StyleBold));
    QList<int> positions;
    int x = left;
    for (const QChar character : caption) {
        positions.append(x);
        x += bold.horizontalAdvance(character) + letterSpacing;
    }
    return positions;
}

void DrawCaption(QImage& picture, const QString& caption, const QRect& textRect,
                 const TCaptionStyle& style, int letterSpacing)
{
    if (picture.isNull() || caption.trimmed().isEmpty()) {
        return;
    }
    if (picture.format() != QImage::Format_RGB32) {
        picture = picture.convertToFormat(QImage::Format_RGB32);
    }
    const QList<int> positions =
        CaptionCharacterPositions(caption, style, textRect.left(), letterSpacing);
    QPainter painter(&picture);
    painter.setFont(CaptionFont(style, style.Style));
    painter.setPen(CaptionColor(style.Color));
    for (int i = 0; i < caption.size(); ++i) {
        QRect rest = textRect;
        rest.setLeft(positions[i]);
        if (rest.isEmpty()) {
            continue;
        }
        painter.setClipRect(rest);
        painter.drawText(rest, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         QString(caption[i]));
    }
}

QRect TextRect(qint32 left, qint32 top, qint32 right, qint32 bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QString GroupCaption(const QString& caption)
{
    if (caption.compare(QLatin1String("2d"), Qt::CaseInsensitive) == 0) {
        return QStringLiteral("2D");
    }
    if (caption.compare(QLatin1String("3d"), Qt::CaseInsensitive) == 0) {
        return QStringLiteral("3D");
    }
    return caption;
}
