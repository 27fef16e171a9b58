#include "search/index/IndexLines.h"

#include "search/index/StringUtils.h"

#include <limits>

namespace IndexLines {

std::optional<qint32> ParsePageNumber(const QString& piece)
{
    const QString text = TrimControls(piece);
    qsizetype at = 0;
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative || text.startsWith(QLatin1Char('+'))) {
        at = 1;
    }
    if (at >= text.size()) {
        return std::nullopt;
    }
    const qint64 limit = qint64(std::numeric_limits<qint32>::max()) + (negative ? 1 : 0);
    qint64 value = 0;
    for (; at < text.size(); ++at) {
        const char16_t c = text.at(at).unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - u'0');
        if (value > limit) {
            return std::nullopt;
        }
    }
    return qint32(negative ? -value : value);
}

std::optional<QList<qint32>> ParsePageList(const QString& line)
{
    const std::optional<QStringList> pieces = SplitString(PageSeparator, line);
    if (!pieces) {
        return std::nullopt;
    }
    QList<qint32> pages;
    pages.reserve(pieces->size());
    for (const QString& piece : *pieces) {
        if (TrimControls(piece).isEmpty()) {
            continue; // "5:" splits into "5" and an empty last piece
        }
        const std::optional<qint32> page = ParsePageNumber(piece);
        if (!page) {
            return std::nullopt;
        }
        pages.append(*page);
    }
    if (pages.isEmpty()) {
        return std::nullopt;
    }
    return pages;
}

std::optional<RIndexPage> ParsePagesLine(const QString& line)
{
    const std::optional<QStringList> pieces = SplitString(TitleSeparator, line);
    if (!pieces) {
        return std::nullopt;
    }
    if (pieces->size() >= 2) {
        return RIndexPage{pieces->at(0), pieces->at(1)};
    }
    if (line.contains(TitleSeparator)) {
        return std::nullopt; // the only piece is what followed a blank path
    }
    return RIndexPage{TrimControls(pieces->at(0)), QString()};
}

} // namespace IndexLines
