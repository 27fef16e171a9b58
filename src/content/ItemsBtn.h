#pragma once

#include "interface/InterfaceRecords.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>

// Font of an item's caption as the interface describes it: name, size in
// points, style words ("bold", "italic", "underline", "strikeout", letter
// case counting) and colour.
struct TItemFont {
    QString Name;
    qint32 Size = -1;
    QString Style;
    TColor Color = 0;

    QFont Font() const;
    QColor Colour() const;
};

// One item of a popup: three pictures (up, hover, pressed) with its caption
// painted on, the command it runs, and where it stands in the popup. It is
// drawn by its popup, which passes it the mouse.
class TItemsBtn {
public:
    using PictureReader = std::function<QImage(const QString& name)>;
    enum Face { Up = 0, Move = 1, Down = 2 };

    bool Shown = false;
    bool Hovered = false;
    bool Pressed = false;
    bool Placed = false;
    QString Command;
    QString Hint;
    QString PictureNames[3];
    TItemFont ItemFonts[2]; // up, hover (the pressed face uses the hover font)
    QRect Bounds;           // in the popup; its size is the up picture's

    // Fresh pictures by their names; a picture that cannot be read stays as
    // it was. The item takes the up picture's size.
    void LoadItemPictures(const PictureReader& read);
    // Pictures afresh with the caption painted on, cut with "..." when too
    // long (the full caption then becomes the hint). Nothing when unchanged.
    void SetCaption(const QString& text, const PictureReader& read);
    const QString& Caption() const { return caption_; }
    // Forgets the caption, so that the next one is painted whatever it is.
    void ClearCaption() { caption_.clear(); }
    const QImage& Picture(Face face) const { return pictures_[face]; }
    // The picture its state shows.
    const QImage& Current() const;

    // The longest start of text that fits width with "..." after it (the
    // whole text when it fits, or when nothing does).
    static QString Elided(const QString& text, const QFont& font, int width);

private:
    void DrawCaption(Face face, const TItemFont& font, const QString& text);

    QImage pictures_[3];
    QString caption_;
};
