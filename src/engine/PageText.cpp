#include "engine/PageText.h"

#include "engine/LiteHtmlContainer.h"

#include <QColor>
#include <algorithm>

namespace {

// A run below the previous one starts a new line.
bool startsLine(const QRect& previous, const QRect& box)
{
    return box.top() >= previous.bottom();
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

} // namespace

void PageText::collect(const litehtml::document::ptr& document)
{
    document_ = document;
    gathered_ = false;
    runs_.clear();
    joined_.clear();
    starts_.clear();
}

void PageText::gather() const
{
    if (gathered_) {
        return;
    }
    gathered_ = true;
    const litehtml::document::ptr document = document_.lock();
    if (document && document->root()) {
        collectFrom(document->root());
    }
    for (int i = 0; i < runs_.size(); ++i) {
        // A line wrapped at a space is no line break of the text.
        const bool wrappedAtSpace =
            joined_.endsWith(QLatin1Char(' ')) || runs_.at(i).text.trimmed().isEmpty();
        if (i > 0 && startsLine(runs_.at(i - 1).box, runs_.at(i).box) && !wrappedAtSpace &&
            !joined_.endsWith(QLatin1Char('\n'))) {
            joined_ += QLatin1Char('\n');
        }
        starts_.append(joined_.size());
        joined_ += runs_.at(i).text;
    }
}

void PageText::collectFrom(const litehtml::element::ptr& element) const
{
    if (element->get_display() == litehtml::display_none) {
        return;
    }
    const size_t count = element->get_children_count();
    if (count == 0) {
        litehtml::tstring text;
        element->get_text(text);
        // The zero-width space holding up an empty line is no text.
        if (text.empty() || text == "\u200B") {
            return;
        }
        const litehtml::position place = element->get_placement();
        runs_.append({QString::fromStdString(text).replace(QChar(0xA0), QLatin1Char(' ')),
                      QRect(place.x, place.y, place.width, place.height), element});
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        collectFrom(element->get_child(int(i)));
    }
}

QString PageText::text(Range range) const
{
    gather();
    const qsizetype begin = qBound<qsizetype>(0, range.begin, joined_.size());
    const qsizetype end = qBound<qsizetype>(begin, range.end, joined_.size());
    return joined_.mid(begin, end - begin).trimmed();
}

PageText::Range PageText::find(const QString& needle, bool caseSensitive, qsizetype from) const
{
    gather();
    if (needle.isEmpty() || from < 0 || from >= joined_.size()) {
        return {};
    }
    const qsizetype at =
        joined_.indexOf(needle, from, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    return at < 0 ? Range() : Range{at, at + needle.size()};
}

int PageText::runOf(qsizetype position) const
{
    gather();
    return int(std::upper_bound(starts_.cbegin(), starts_.cend(), position) - starts_.cbegin()) - 1;
}

int PageText::widthOf(int run, qsizetype characters) const
{
    const Run& piece = runs_.at(run);
    if (characters >= piece.text.size()) {
        return piece.box.width();
    }
    const litehtml::uint_ptr font = piece.element->get_font();
    return font ? LiteHtmlContainer::TextWidth(font, piece.text.left(characters))
                : int(piece.box.width() * characters / qMax<qsizetype>(1, piece.text.size()));
}

qsizetype PageText::characterAt(QPoint point) const
{
    gather();
    int nearest = -1;
    for (int i = 0; i < runs_.size(); ++i) {
        const QRect& box = runs_.at(i).box;
        if (box.contains(point)) {
            nearest = i;
            break;
        }
        if (box.top() <= point.y() && (box.bottom() < point.y() || box.left() <= point.x())) {
            nearest = i;
        }
    }
    if (nearest < 0) {
        return -1;
    }
    const Run& run = runs_.at(nearest);
    if (!run.box.contains(point)) {
        return starts_.at(nearest) + run.text.size();
    }
    qsizetype characters = 0;
    while (characters < run.text.size() &&
           run.box.left() + widthOf(nearest, characters + 1) <= point.x()) {
        ++characters;
    }
    return starts_.at(nearest) + characters;
}

PageText::Range PageText::wordAt(QPoint point) const
{
    gather();
    const qsizetype at = characterAt(point);
    if (at < 0 || at >= joined_.size() || !isWordCharacter(joined_.at(at))) {
        return {};
    }
    qsizetype begin = at;
    qsizetype end = at;
    while (begin > 0 && isWordCharacter(joined_.at(begin - 1))) {
        --begin;
    }
    while (end < joined_.size() && isWordCharacter(joined_.at(end))) {
        ++end;
    }
    return {begin, end};
}

QList<QRect> PageText::boxes(Range range) const
{
    gather();
    QList<QRect> covered;
    if (range.isEmpty() || runs_.isEmpty()) {
        return covered;
    }
    const int first = qMax(0, runOf(range.begin));
    const int last = qMin(int(runs_.size()) - 1, runOf(range.end - 1));
    for (int i = first; i <= last; ++i) {
        const QRect& box = runs_.at(i).box;
        const qsizetype start = starts_.at(i);
        const int left = range.begin > start ? widthOf(i, range.begin - start) : 0;
        const int right = widthOf(i, range.end - start);
        covered.append(QRect(box.left() + left, box.top(), qMax(0, right - left), box.height()));
    }
    return covered;
}

namespace {

// A piece of a run as HTML in the look it is drawn with, inside its link.
QString styledPiece(const PageText::Run& run, const QString& text)
{
    const QFont font = LiteHtmlContainer::FontOf(run.element->get_font());
    const litehtml::web_color colour = run.element->get_color("color", true);
    QString style =
        QStringLiteral("color:%1").arg(QColor(colour.red, colour.green, colour.blue).name());
    if (font.bold()) {
        style += QLatin1String(";font-weight:bold");
    }
    if (font.italic()) {
        style += QLatin1String(";font-style:italic");
    }
    if (!font.families().isEmpty()) {
        style += QStringLiteral(";font-family:'%1'").arg(font.families().first().toHtmlEscaped());
    }
    QString html = QStringLiteral("<span style=\"%1\">%2</span>").arg(style, text.toHtmlEscaped());
    for (litehtml::element::ptr up = run.element; up; up = up->parent()) {
        const char* tag = up->get_tagName();
        const char* href = up->get_attr("href");
        if (tag && href && qstricmp(tag, "a") == 0) {
            return QStringLiteral("<a href=\"%1\">%2</a>")
                .arg(QString::fromUtf8(href).toHtmlEscaped(), html);
        }
    }
    return html;
}

} // namespace

QString PageText::html(Range range) const
{
    gather();
    if (range.isEmpty() || runs_.isEmpty()) {
        return QString();
    }
    QString html;
    const int first = qMax(0, runOf(range.begin));
    const int last = qMin(int(runs_.size()) - 1, runOf(range.end - 1));
    for (int i = first; i <= last; ++i) {
        const qsizetype start = starts_.at(i);
        if (i > first &&
            joined_.mid(starts_.at(i - 1), start - starts_.at(i - 1)).endsWith(QLatin1Char('\n'))) {
            html += QLatin1String("<br>");
        }
        const qsizetype from = qMax<qsizetype>(0, range.begin - start);
        const qsizetype to = qMin<qsizetype>(runs_.at(i).text.size(), range.end - start);
        if (to > from) {
            html += styledPiece(runs_.at(i), runs_.at(i).text.mid(from, to - from));
        }
    }
    return html;
}
