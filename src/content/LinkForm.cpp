#include "content/LinkForm.h"

#include <cstring>

namespace {

QString WithoutLeadingBlanks(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start).isSpace()) {
        ++start;
    }
    return text.mid(start);
}

} // namespace

namespace LinkForm {

std::optional<QString> After(const QString& url, const char* form)
{
    const QString text = WithoutLeadingBlanks(url);
    if (!text.startsWith(QLatin1String(form), Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    return text.mid(qsizetype(std::strlen(form)));
}

bool Is(const QString& url, const char* form)
{
    return After(url, form).has_value();
}

bool IsWebLink(const QString& url)
{
    return Is(url, "http:") || Is(url, "https:") || Is(url, "mailto:");
}

std::optional<QString> GameCommand(const QString& url)
{
    for (const char* keyword : {"rungame", "delgame"}) {
        const QString form = QLatin1String(keyword) + QLatin1Char(':');
        if (std::optional<QString> rest = After(url, form.toLatin1().constData())) {
            if (rest->startsWith(QLatin1Char('='))) {
                rest->remove(0, 1);
            }
            return QLatin1String(keyword) + QLatin1Char('=') + *rest;
        }
    }
    return std::nullopt;
}

} // namespace LinkForm
