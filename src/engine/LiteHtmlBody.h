#pragma once

// litehtml's own headers need its main header first.
#include <QtGlobal>
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
    // Takes units of work (elements laid out) from the layout under way;
    // false once it has used up its share, far beyond any real page's.
    static bool SpendLayoutWork(qint64 units);

    static constexpr qint64 kLayoutWork = 4'000'000;

private:
    void takeOverFirstBlockMargin();
    // The first child that takes part in the collapse: a block in the
    // normal flow, not floating; null when text or an inline comes first.
    litehtml::element::ptr firstBlock() const;
};
