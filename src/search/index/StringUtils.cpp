#include "search/index/StringUtils.h"

namespace {

bool isControlOrBlank(QChar c)
{
    return c.unicode() <= 32;
}

} // namespace

QString TrimControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isControlOrBlank(text.at(begin))) {
        ++begin;
    }
    while (end > begin && isControlOrBlank(text.at(end - 1))) {
        --end;
    }
    return text.mid(begin, end - begin);
}

std::optional<TDynamicStringArray> SplitString(const QString& delimiter, const QString& text)
{
    TDynamicStringArray pieces;
    bool delimiterSeen = false;
    qsizetype start = 0;
    if (!delimiter.isEmpty()) {
        for (qsizetype at = text.indexOf(delimiter); at >= 0; at = text.indexOf(delimiter, start)) {
            const QString piece = TrimControls(text.mid(start, at - start));
            if (!piece.isEmpty()) {
                pieces.append(piece);
            }
            delimiterSeen = true;
            start = at + delimiter.size();
        }
    }
    const QString rest = text.mid(start);
    if ((delimiterSeen && pieces.size() == 1) || !TrimControls(rest).isEmpty()) {
        pieces.append(rest);
    }
    if (pieces.isEmpty()) {
        return std::nullopt;
    }
    return pieces;
}
