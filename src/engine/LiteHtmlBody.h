#pragma once

// litehtml's own headers need its main header first.
#include <litehtml.h>
// clang-format off
#include <el_body.h>
// clang-format on

// The page body. The top margin of a page's first block collapses with the
// body's own, as in a browser: the body then stands at the larger of the two
// and the block at the body's top. The engine gets this right only when the
// block has neither a top border nor top padding; otherwise it drops the
// block's margin altogether and the block hugs the top of the page. The body
// mends that after laying itself out.
class LiteHtmlBody : public litehtml::el_body {
public:
    explicit LiteHtmlBody(const std::shared_ptr<litehtml::document>& document);

    int render(int x, int y, int maxWidth, bool secondPass = false) override;

    // Counts the layouts of pages: a new number for each, so that what was
    // kept of an earlier layout is known to be stale.
    static unsigned LayoutNumber();
    // Whether the layout under way has taken longer than any real page's
    // (the 1 MB page of 2,000 table rows takes a fifth of it to lay out).
    static bool LayoutOverdue();

    static constexpr int kLayoutMs = 1000;

private:
    void takeOverFirstBlockMargin();
    // The first child that takes part in the collapse: a block in the
    // normal flow, not floating; null when text or an inline comes first.
    litehtml::element::ptr firstBlock() const;
};
