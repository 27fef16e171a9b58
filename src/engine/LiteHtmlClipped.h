#pragma once

// litehtml's own headers need its main header first.
#include <litehtml.h>
// clang-format off
#include <el_div.h>
#include <el_para.h>
#include <el_td.h>
// clang-format on
#include <climits>

// How far the drawing of an element's descendants reaches, top and bottom,
// measured from the point its children are drawn from.
class LiteHtmlDrawnReach {
public:
    void setReach(int top, int bottom)
    {
        top_ = top;
        bottom_ = bottom;
    }

    // Whether the descendants drawn from childrenTop can touch the clip;
    // true until the element was measured.
    bool reaches(int childrenTop, const litehtml::position& clip) const
    {
        return top_ > bottom_ ||
               (childrenTop + bottom_ >= clip.top() && childrenTop + top_ <= clip.bottom());
    }

private:
    int top_ = INT_MAX;
    int bottom_ = INT_MIN;
};

// A block (a paragraph, a division, a cell and the like) whose descendants
// are drawn only when they can reach the clip. litehtml visits every element
// of the page four times on each drawing, however little of it is shown, so
// scrolling a long page would cost as much as drawing all of it. Positioned
// descendants are drawn in a pass of their own, which is left whole.
template <class Element> class LiteHtmlClipped : public Element, public LiteHtmlDrawnReach {
public:
    using Element::Element;

    void draw_children(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip,
                       litehtml::draw_flag flag, int zindex) override
    {
        if (clip && flag != litehtml::draw_positioned && !reaches(y + this->m_pos.y, *clip)) {
            return;
        }
        Element::draw_children(hdc, x, y, clip, flag, zindex);
    }
};

namespace LiteHtmlReach {

// Measures, after a layout, how far the descendants of every clipped element
// below the element reach. Conservative: every box of every descendant counts,
// its margins included, whatever hides it.
void Measure(litehtml::element& element);

// The element litehtml would make for the tag, clipped when the tag is a
// block that commonly holds a page's text; null for the others.
litehtml::element::ptr Create(const char* tagName,
                              const std::shared_ptr<litehtml::document>& document);

} // namespace LiteHtmlReach
