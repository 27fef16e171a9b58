#include "engine/LiteHtmlClipped.h"

#include <algorithm>
#include <cstring>

namespace {

struct Reach {
    int top = INT_MAX;
    int bottom = INT_MIN;

    void add(int from, int to)
    {
        top = std::min(top, from);
        bottom = std::max(bottom, to);
    }
};

// Rows and their groups draw nothing of their cells: a table draws its cells
// from its own origin, where their positions are counted from.
bool drawsFromItsParent(const litehtml::element& element)
{
    switch (element.get_display()) {
    case litehtml::display_table_row:
    case litehtml::display_table_row_group:
    case litehtml::display_table_header_group:
    case litehtml::display_table_footer_group:
        return true;
    default:
        return false;
    }
}

// The reach of the element's descendants from the point its children are
// drawn from.
Reach measure(litehtml::element& element)
{
    Reach reach;
    if (element.get_children_count() == 0) {
        return reach; // words and spaces, most of a page: nothing to draw below them
    }
    for (size_t index = 0; index < element.get_children_count(); ++index) {
        const litehtml::element::ptr child = element.get_child(int(index));
        reach.add(child->top(), child->bottom());
        const Reach inner = measure(*child);
        if (inner.top <= inner.bottom) {
            const int shift = drawsFromItsParent(*child) ? 0 : child->get_position().y;
            reach.add(inner.top + shift, inner.bottom + shift);
        }
    }
    if (auto* clipped = dynamic_cast<LiteHtmlDrawnReach*>(&element)) {
        clipped->setReach(reach.top, reach.bottom);
    }
    return reach;
}

template <class Element>
litehtml::element::ptr make(const std::shared_ptr<litehtml::document>& document)
{
    return std::make_shared<LiteHtmlClipped<Element>>(document);
}

} // namespace

void LiteHtmlReach::Measure(litehtml::element& element)
{
    measure(element);
}

litehtml::element::ptr LiteHtmlReach::Create(const char* tagName,
                                             const std::shared_ptr<litehtml::document>& document)
{
    const auto is = [tagName](const char* name) { return std::strcmp(tagName, name) == 0; };
    if (is("td") || is("th")) {
        return make<litehtml::el_td>(document);
    }
    if (is("p")) {
        return make<litehtml::el_para>(document);
    }
    if (is("div")) {
        return make<litehtml::el_div>(document);
    }
    for (const char* block :
         {"li", "ul", "ol", "dl", "dd", "blockquote", "center", "form", "pre"}) {
        if (is(block)) {
            return make<litehtml::html_tag>(document);
        }
    }
    return nullptr;
}
