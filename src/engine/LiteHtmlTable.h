#pragma once

// litehtml's own headers need its main header first.
#include <litehtml.h>
// clang-format off
#include <el_table.h>
// clang-format on
#include <optional>

// A table. When a table of a given width has columns of no width of their
// own and room to spare, browsers share the spare room among the columns in
// proportion to their content; the engine gives all of it to the last one,
// so a page's two-column table puts its first column in a narrow strip. The
// table lays itself out once more with those shares as column widths, the
// first time it finds room to spare (a table in a cell is first laid out to
// measure the cell, with none).
class LiteHtmlTable : public litehtml::el_table {
public:
    explicit LiteHtmlTable(const std::shared_ptr<litehtml::document>& document);

    int render(int x, int y, int maxWidth, bool secondPass = false) override;

private:
    // Sets each column's width to its share; false when the table keeps the
    // engine's widths (no width of its own, a column with one, no room).
    bool shareSpareWidth();

    struct Request {
        unsigned layout = 0; // of the page, LiteHtmlBody::LayoutNumber()
        int maxWidth = 0;
        bool secondPass = false;
        int holderHeight = 0;
        bool operator==(const Request&) const = default;
    };
    struct Layout {
        Request request;
        int x = 0;
        int y = 0;
        litehtml::position placed;
        int width = 0;
    };

    bool shared_ = false;
    std::optional<Layout> last_;
};
