#pragma once

#include "DialogLayout.h"

#include <QImage>
#include <QMap>
#include <QRect>
#include <QString>

// Draws the skinned dialog of the demo disc: the picture of each page, the
// pictures of its buttons and switches over the piece of page they cover,
// and the empty and full pictures of the find page's progress bar. Pages,
// places and picture names come from resources/Dialog.txt, the place of the
// search field from the interface description.
//
// The drawing is checked against what the shell does with it: every control
// lies on its page, the find page keeps its controls in the part shown while
// there are no results, and the switch captions the shell paints fit.
class DialogArt {
public:
    DialogArt(const DialogLayout& layout, const QRect& searchField);

    bool paint();
    QMap<QString, QImage> pictures() const { return pictures_; }
    QString errorString() const { return error_; }

private:
    bool paintPages();
    QImage pageImage(int page) const;
    bool paintBar();
    bool paintControl(const DialogLayout::Element& element);
    bool checkPlace(const DialogLayout::Element& element, const QSize& size);
    bool checkCaption(const DialogLayout::Element& element, const QSize& size);
    bool checkMessageArea(const DialogLayout::Element& element);
    bool keep(const QString& name, const QImage& image, int line);

    QRect fieldWell() const;
    QRect barPlace() const;

    DialogLayout layout_;
    QRect searchField_;
    QMap<int, QImage> pages_;
    QMap<QString, QImage> pictures_;
    QString error_;
};
