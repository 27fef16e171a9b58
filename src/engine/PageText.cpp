#include "engine/PageText.h"

#include <algorithm>

namespace {

// Runs that start a new block (a line break, or a block box above the
// previous run) are joined with a line break, words of a line with spaces.
bool startsLine(const QRect& previous, const QRect& box)
{
    return box.top() >= previous.bottom();
}

} // namespace

void PageText::collect(const litehtml::document::ptr& document)
{
    runs_.clear();
    joined_.clear();
    starts_.clear();
    if (document && document->root()) {
        collectFrom(document->root());
    }
    for (int i = 0; i < runs_.size(); ++i) {
        if (i > 0 && startsLine(runs_.at(i - 1).box, runs_.at(i).box) &&
            !joined_.endsWith(QLatin1Char('\n'))) {
            joined_ += QLatin1Char('\n');
        }
        starts_.append(joined_.size());
        joined_ += runs_.at(i).text;
    }
}

void PageText::collectFrom(const litehtml::element::ptr& element)
{
    const size_t count = element->get_children_count();
    if (count == 0) {
        if (element->get_display() == litehtml::display_none) {
            return;
        }
        litehtml::tstring text;
        element->get_text(text);
        if (text.empty()) {
            return;
        }
        const litehtml::position place = element->get_placement();
        runs_.append({QString::fromStdString(text).replace(QChar(0xA0), QLatin1Char(' ')),
                      QRect(place.x, place.y, place.width, place.height), element});
        return;
    }
    if (element->get_display() == litehtml::display_none) {
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        collectFrom(element->get_child(int(i)));
    }
}

QString PageText::text(Range range) const
{
    if (range.isEmpty() || range.first >= runs_.size()) {
        return QString();
    }
    const int last = qMin(range.last, int(runs_.size()) - 1);
    const qsizetype begin = starts_.at(range.first);
    const qsizetype end = starts_.at(last) + runs_.at(last).text.size();
    return joined_.mid(begin, end - begin).trimmed();
}

PageText::Range PageText::find(const QString& needle, bool caseSensitive, int after) const
{
    if (needle.isEmpty() || runs_.isEmpty()) {
        return {};
    }
    const qsizetype from =
        after < 0 || after >= runs_.size() ? 0 : starts_.at(after) + runs_.at(after).text.size();
    const qsizetype at =
        joined_.indexOf(needle, from, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    if (at < 0) {
        return {};
    }
    const auto runOf = [this](qsizetype position) {
        return int(std::upper_bound(starts_.cbegin(), starts_.cend(), position) -
                   starts_.cbegin()) -
               1;
    };
    return {runOf(at), runOf(at + needle.size() - 1)};
}

int PageText::runAt(QPoint point) const
{
    int nearest = -1;
    for (int i = 0; i < runs_.size(); ++i) {
        const QRect& box = runs_.at(i).box;
        if (box.contains(point)) {
            return i;
        }
        if (box.top() <= point.y() && (box.bottom() < point.y() || box.left() <= point.x())) {
            nearest = i;
        }
    }
    return nearest;
}

PageText::Range PageText::wordAt(QPoint point) const
{
    const int run = runAt(point);
    if (run < 0 || !runs_.at(run).box.contains(point) || runs_.at(run).text.trimmed().isEmpty()) {
        return {};
    }
    return {run, run};
}
