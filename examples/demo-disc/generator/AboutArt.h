#pragma once

#include "AboutLayout.h"

#include <QFont>
#include <QImage>
#include <QMap>
#include <QRect>
#include <QString>
#include <functional>

// Draws the about box of the demo disc: its picture, a dark panel cut to the
// outline of resources/About.txt with a header band and the disc emblem, and
// the up and mouse-over pictures of its buttons over the piece of picture
// they cover, with their captions painted in.
//
// The drawing is checked against what the shell does with it: the outline
// spans the picture, every button and text lies inside it, off the header's
// lower edge and the divider, and neither a
// button nor a link covers another element, since a click goes to the first
// element under the pointer. A link's hit area is as wide as its whole
// value, also the part after a "?" that is not shown.
class AboutArt {
public:
    static constexpr QSize PictureSize{420, 240};
    static constexpr int HeaderHeight = 56;
    // A thin rule between the disc's details and its links; no element crosses it.
    static constexpr int DividerRow = 124;

    // soundExists tells whether the disc has a sound file of that name.
    AboutArt(const AboutLayout& layout, std::function<bool(const QString&)> soundExists);

    bool paint();
    QMap<QString, QImage> pictures() const { return pictures_; }
    QString errorString() const { return error_; }

    // The font the shell draws a text with.
    static QFont fontOf(const AboutLayout::Text& text);

private:
    bool checkOutline();
    bool paintButton(const AboutLayout::Button& button);
    bool checkText(const AboutLayout::Text& text);
    bool checkPlace(const QRect& place, int line);
    QImage picture() const;

    AboutLayout layout_;
    std::function<bool(const QString&)> soundExists_;
    QImage picture_;
    QList<QRect> taken_; // the boxes of the buttons and texts placed so far
    QMap<QString, QImage> pictures_;
    QString error_;
};
