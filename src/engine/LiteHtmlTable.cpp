#include "engine/LiteHtmlTable.h"

#include "engine/LiteHtmlBody.h"

LiteHtmlTable::LiteHtmlTable(const std::shared_ptr<litehtml::document>& document)
    : litehtml::el_table(document)
{
}

// The engine lays a table's cells out several times to measure them, and a
// table in a cell with them, so that the work grows threefold with every
// table nested in another: twenty nested tables would take hours. Within one
// layout of the page a table given the same width as before comes out the
// same, and is only moved; once the layout is overdue, a table laid out
// before keeps that layout whatever it is given, and the rest of the work
// grows with the page alone.
int LiteHtmlTable::render(int x, int y, int maxWidth, bool secondPass)
{
    const litehtml::element::ptr holder = parent();
    const Request request{LiteHtmlBody::LayoutNumber(), maxWidth, secondPass,
                          holder ? holder->get_position().height : 0};
    if (last_ && (last_->request == request || LiteHtmlBody::LayoutOverdue())) {
        m_pos.x = last_->placed.x + x - last_->x;
        m_pos.y = last_->placed.y + y - last_->y;
        return last_->width;
    }
    int width = litehtml::el_table::render(x, y, maxWidth, secondPass);
    if (!shared_ && shareSpareWidth()) {
        width = litehtml::el_table::render(x, y, maxWidth, secondPass);
    }
    last_ = Layout{request, x, y, m_pos, width};
    return width;
}

bool LiteHtmlTable::shareSpareWidth()
{
    if (!m_grid || m_grid->cols_count() < 2 || m_css_width.is_predefined()) {
        return false;
    }
    long long content = 0;
    int used = 0;
    for (int column = 0; column < m_grid->cols_count(); ++column) {
        const litehtml::table_column& each = m_grid->column(column);
        if (!each.css_width.is_predefined()) {
            return false;
        }
        content += each.max_width;
        used += each.width;
    }
    if (content <= 0 || content >= used) {
        return false;
    }
    shared_ = true;
    for (int column = 0; column < m_grid->cols_count(); ++column) {
        litehtml::table_column& each = m_grid->column(column);
        each.css_width.set_value(float(100.0 * each.max_width / double(content)),
                                 litehtml::css_units_percentage);
    }
    return true;
}
