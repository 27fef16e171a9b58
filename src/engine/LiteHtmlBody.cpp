#include "engine/LiteHtmlBody.h"

#include "engine/LiteHtmlClipped.h"
#include "platform/Refusal.h"

#include <QElapsedTimer>
#include <atomic>

namespace {

std::atomic<unsigned> layouts{0};
// The layout under way in this thread: when it began, and whether it was
// found overdue.
thread_local QElapsedTimer layoutClock;
thread_local bool overdueLogged = false;

} // namespace

LiteHtmlBody::LiteHtmlBody(const std::shared_ptr<litehtml::document>& document)
    : litehtml::el_body(document)
{
}

unsigned LiteHtmlBody::LayoutNumber()
{
    return layouts.load(std::memory_order_relaxed);
}

bool LiteHtmlBody::LayoutOverdue()
{
    if (!layoutClock.isValid() || layoutClock.elapsed() <= kLayoutMs) {
        return false;
    }
    if (!overdueLogged) {
        overdueLogged = true;
        Refusal::log(QStringLiteral("laying out tables anew after a second"),
                     QStringLiteral("a page whose tables nest too deep"));
    }
    return true;
}

// The body is laid out last of the page but for positioned boxes: its
// descendants' places are final, and can be measured for drawing.
int LiteHtmlBody::render(int x, int y, int maxWidth, bool secondPass)
{
    layouts.fetch_add(1, std::memory_order_relaxed);
    layoutClock.start();
    overdueLogged = false;
    const int width = litehtml::el_body::render(x, y, maxWidth, secondPass);
    takeOverFirstBlockMargin();
    LiteHtmlReach::Measure(*this);
    return width;
}

void LiteHtmlBody::takeOverFirstBlockMargin()
{
    const litehtml::element::ptr block = firstBlock();
    if (!block || m_padding.top != 0 || m_borders.top != 0) {
        return;
    }
    // A block's margin box above the body's content is a margin the body
    // should have taken over; when the body's margin is smaller, the
    // difference was lost.
    const int collapsed = -block->top();
    if (collapsed > m_margins.top) {
        m_pos.y += collapsed - m_margins.top;
        m_margins.top = collapsed;
    }
}

litehtml::element::ptr LiteHtmlBody::firstBlock() const
{
    for (size_t index = 0; index < get_children_count(); ++index) {
        const litehtml::element::ptr child = get_child(int(index));
        if (child->is_white_space() || !child->in_normal_flow()) {
            continue;
        }
        const litehtml::style_display display = child->get_display();
        const bool block = display == litehtml::display_block ||
                           display == litehtml::display_list_item ||
                           display == litehtml::display_table;
        return block && child->get_float() == litehtml::float_none ? child : nullptr;
    }
    return nullptr;
}
