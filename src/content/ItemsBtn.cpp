#include "content/ItemsBtn.h"

#include "effects/InterfaceFonts.h"

#include <QFontMetrics>
#include <QPainter>

QFont TItemFont::Font() const
{
    return InterfaceFont(Name, Size, StyleWords(Style));
}

QColor TItemFont::Colour() const
{
    return InterfaceColour(Color);
}

void TItemsBtn::LoadItemPictures(const PictureReader& read)
{
    for (int face = Up; face <= Down; ++face) {
        QImage picture = read ? read(PictureNames[face]) : QImage();
        if (!picture.isNull()) {
            pictures_[face] = picture.convertToFormat(QImage::Format_RGB32);
        }
    }
    Bounds.setSize(pictures_[Up].size());
}

const QImage& TItemsBtn::Current() const
{
    return pictures_[Pressed ? Down : Hovered ? Move : Up];
}

QString TItemsBtn::Elided(const QString& text, const QFont& font, int width)
{
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(text) <= width) {
        return text;
    }
    for (qsizetype length = text.size() - 1; length >= 0; --length) {
        const QString shortened = text.left(length) + QStringLiteral("...");
        if (metrics.horizontalAdvance(shortened) <= width) {
            return shortened;
        }
    }
    return text;
}

void TItemsBtn::SetCaption(const QString& text, const PictureReader& read)
{
    if (text == caption_) {
        return;
    }
    LoadItemPictures(read);
    caption_ = text;
    const QFontMetrics metrics(ItemFonts[0].Font());
    Hint = metrics.horizontalAdvance(text) + 14 < Bounds.width() ? QString() : text;
    DrawCaption(Up, ItemFonts[0], text);
    DrawCaption(Move, ItemFonts[1], text);
    DrawCaption(Down, ItemFonts[1], text);
}

// The caption at 7 pixels from the left, centred vertically when it fits
// the item's height.
void TItemsBtn::DrawCaption(Face face, const TItemFont& itemFont, const QString& text)
{
    QImage& picture = pictures_[face];
    if (picture.isNull()) {
        return;
    }
    const QFont font = itemFont.Font();
    const QFontMetrics metrics(font);
    const int height = picture.height();
    const int textHeight = metrics.height();
    const int top = textHeight < height ? (height - textHeight) / 2 : -3;
    const int bottom = textHeight < height ? top + textHeight : height;
    const int textWidth = metrics.horizontalAdvance(text);
    const int right = textWidth + 14 < picture.width() ? textWidth + 7 : picture.width() - 7;
    const QRect box(QPoint(7, top), QPoint(right, bottom - 1));
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(itemFont.Colour());
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     Elided(text, font, box.width()));
}
