#include "DialogArt.h"

#include "Canvas.h"
#include "Controls.h"
#include "DialogPages.h"
#include "Palette.h"
#include "Recipes.h"

#include <QFontMetrics>
#include <QHash>
#include <algorithm>

using namespace Palette;

namespace {

// What the shell fixes: the page that hosts the search, the corner of its
// progress bar, the height of the window while no results show and the place
// of the result list.
constexpr int FindPage = 1;
constexpr QPoint BarCorner(33, 75);
constexpr int BarHeight = 8;
constexpr int FoldedHeight = 115;
constexpr QRect ResultList(11, 127, 377, 112);

// How each control of the dialog looks, by the stem of its picture names;
// label is painted into the pictures of buttons without a shell caption.
struct DialogControl {
    Recipe recipe;
    QString label;
};

const DialogControl* controlOf(const QString& stem)
{
    static const QHash<QString, DialogControl> table{
        {QStringLiteral("dlgbtnok"),
         {{Shape::Pill, Glyph::None, {96, 30}, false}, QStringLiteral("OK")}},
        {QStringLiteral("dlgsearch"), {{Shape::Square, Glyph::Magnifier, {44, 30}, false}, {}}},
        {QStringLiteral("dlgclose"), {{Shape::System, Glyph::Cross, {28, 28}, true}, {}}},
        {QStringLiteral("dlgmode1"), {{Shape::Pill, Glyph::None, {137, 24}, false}, {}}},
        {QStringLiteral("dlgmode2"), {{Shape::Pill, Glyph::None, {113, 24}, false}, {}}},
        {QStringLiteral("dlgmode3"), {{Shape::Pill, Glyph::None, {91, 24}, false}, {}}},
    };
    const auto found = table.constFind(stem);
    return found == table.constEnd() ? nullptr : &found.value();
}

QColor labelColour(const Look& look)
{
    return look.pressed ? QColor(Qt::white) : look.hover ? GoldLight : Lavender;
}

// The width of a caption as the shell lays it out: letter by letter, each
// advancing by its bold width less one pixel.
int captionWidth(const QFontMetrics& bold, const QString& text)
{
    int width = 0;
    for (const QChar letter : text) {
        width += bold.horizontalAdvance(letter) - 1;
    }
    return width;
}

} // namespace

DialogArt::DialogArt(const DialogLayout& layout, const QRect& searchField)
    : layout_(layout), searchField_(searchField)
{
}

bool DialogArt::paint()
{
    if (!paintPages() || !paintBar()) {
        return false;
    }
    for (const DialogLayout::Element& element : layout_.elements()) {
        const bool done = element.kind == DialogLayout::Kind::Text ? checkMessageArea(element)
                                                                   : paintControl(element);
        if (!done) {
            return false;
        }
    }
    return true;
}

bool DialogArt::paintPages()
{
    const QMap<int, QString> names = layout_.pagePictures();
    if (!names.contains(FindPage)) {
        error_ = QStringLiteral("Dialog.txt names no picture for the find page");
        return false;
    }
    for (auto it = names.cbegin(); it != names.cend(); ++it) {
        const QImage image = pageImage(it.key());
        if (image.isNull()) {
            error_ = QStringLiteral("no picture is drawn for dialog page %1").arg(it.key() + 1);
            return false;
        }
        pages_.insert(it.key(), image);
        if (!keep(it.value(), image, 0)) {
            return false;
        }
    }
    return true;
}

QImage DialogArt::pageImage(int page) const
{
    switch (page) {
    case 0:
        return DialogPages::message(QStringLiteral("Сообщение"), Glyph::Info, QString());
    case FindPage:
        return DialogPages::find(fieldWell(), barPlace(), FoldedHeight, ResultList);
    case 2:
        return DialogPages::message(QStringLiteral("Печать"), Glyph::Printer,
                                    QStringLiteral("Принтер не установлен"));
    case 3:
        return DialogPages::message(QStringLiteral("Печать"), Glyph::Printer,
                                    QStringLiteral("Принтер по умолчанию недоступен"));
    }
    return QImage();
}

// The well around the search field; the progress bar runs under it, as wide.
QRect DialogArt::fieldWell() const
{
    return searchField_.adjusted(-7, -4, 7, 4);
}

QRect DialogArt::barPlace() const
{
    return QRect(BarCorner, QSize(fieldWell().right() + 1 - BarCorner.x(), BarHeight));
}

bool DialogArt::paintBar()
{
    const QImage& page = pages_[FindPage];
    const QRect bar = barPlace();
    if (fieldWell().left() < 0 || fieldWell().bottom() >= bar.top() || bar.width() < 100 ||
        !page.rect().contains(bar) || bar.bottom() >= FoldedHeight) {
        error_ = QStringLiteral("the search field of Struct.txt leaves no room for the progress "
                                "bar at (%1, %2)")
                     .arg(BarCorner.x())
                     .arg(BarCorner.y());
        return false;
    }
    const QImage under = page.copy(bar);
    return keep(QStringLiteral("status_up.bmp"), DialogPages::bar(under, false), 0) &&
           keep(QStringLiteral("status_dn.bmp"), DialogPages::bar(under, true), 0);
}

bool DialogArt::paintControl(const DialogLayout::Element& element)
{
    const QString stem = Recipes::stemOf(element.pictures.value(0));
    const DialogControl* control = controlOf(stem);
    if (control == nullptr) {
        error_ = QStringLiteral("Dialog.txt line %1: no drawing for the pictures \"%2\"")
                     .arg(element.line)
                     .arg(stem);
        return false;
    }
    const bool isSwitch = element.kind == DialogLayout::Kind::Switch;
    const QSize size = control->recipe.size;
    if (!checkPlace(element, size) || (isSwitch && !checkCaption(element, size))) {
        return false;
    }
    const QImage under = pages_.value(element.page).copy(QRect(element.position, size));
    for (int i = 0; i < element.pictures.size(); ++i) {
        const Look look = Recipes::lookOf(isSwitch, i);
        QImage picture = Controls::paint(control->recipe, look, under);
        if (!control->label.isEmpty()) {
            const QPointF centre(size.width() / 2.0, (size.height() - 1) / 2.0);
            DialogPages::paintLabel(picture, centre, control->label, DialogPages::MessagePixels,
                                    labelColour(look));
        }
        if (!keep(element.pictures.at(i), picture, element.line)) {
            return false;
        }
    }
    return true;
}

bool DialogArt::checkPlace(const DialogLayout::Element& element, const QSize& size)
{
    const int pictureCount = element.kind == DialogLayout::Kind::Switch ? 4 : 3;
    const QRect place(element.position, size);
    QString problem;
    if (element.pictures.size() != pictureCount) {
        problem = QStringLiteral("names %1 pictures, not %2")
                      .arg(element.pictures.size())
                      .arg(pictureCount);
    } else if (!pages_.contains(element.page)) {
        problem = QStringLiteral("stands on page %1, which has no picture").arg(element.page + 1);
    } else if (!pages_.value(element.page).rect().contains(place)) {
        problem = QStringLiteral("reaches out of its page");
    } else if (element.page == FindPage && place.bottom() >= FoldedHeight) {
        problem =
            QStringLiteral("reaches below the %1 rows shown without results").arg(FoldedHeight);
    }
    if (!problem.isEmpty()) {
        error_ =
            QStringLiteral("Dialog.txt line %1: the control %2").arg(element.line).arg(problem);
        return false;
    }
    return true;
}

bool DialogArt::checkCaption(const DialogLayout::Element& element, const QSize& size)
{
    const DialogLayout::Caption& caption = element.caption;
    const int pixels = qRound(caption.pointSize * 96.0 / 72.0);
    const QFontMetrics bold(Canvas::font(caption.font, pixels, true));
    const int width = std::max(captionWidth(bold, caption.up), captionWidth(bold, caption.dn));
    if (pixels <= 0 || !QRect(QPoint(0, 0), size).contains(caption.rect) ||
        width > caption.rect.width() || bold.ascent() + bold.descent() > caption.rect.height()) {
        error_ = QStringLiteral("Dialog.txt line %1: the caption (%2 x %3 pixels) does not fit "
                                "its rectangle in the %4 x %5 switch")
                     .arg(element.line)
                     .arg(width)
                     .arg(bold.ascent() + bold.descent())
                     .arg(size.width())
                     .arg(size.height());
        return false;
    }
    return true;
}

// The print pages paint their messages where the shell draws the message of
// the message page.
bool DialogArt::checkMessageArea(const DialogLayout::Element& element)
{
    if (element.position != QPoint(DialogPages::MessageLeft, DialogPages::MessageTop) ||
        element.right != DialogPages::MessageRight || !pages_.contains(element.page)) {
        error_ = QStringLiteral("Dialog.txt line %1: the message area is not the one the "
                                "dialog pictures are drawn for")
                     .arg(element.line);
        return false;
    }
    return true;
}

// A picture named twice (the OK button of several pages) must come out the same.
bool DialogArt::keep(const QString& name, const QImage& image, int line)
{
    if (pictures_.contains(name) && pictures_.value(name) != image) {
        error_ = QStringLiteral("Dialog.txt line %1: %2 would look different on another page")
                     .arg(line)
                     .arg(name);
        return false;
    }
    pictures_.insert(name, image);
    return true;
}
