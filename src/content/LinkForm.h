#pragma once

#include <QString>
#include <optional>

// The command forms a page link can take ("http:", "https:", "mailto:",
// "printhtml:", "copy:", "copylist:", "rungame:", "delgame:"). A form counts
// only at the start of the link, letter case and leading blanks aside, so a
// link that merely holds "rungame:" somewhere is an ordinary link.
namespace LinkForm {

// The link without leading blanks and its form; nullopt when it is not of that form.
std::optional<QString> After(const QString& url, const char* form);
bool Is(const QString& url, const char* form);
// A link to the web or to mail: "http:", "https:" or "mailto:".
bool IsWebLink(const QString& url);
// "rungame:=setup=key" becomes exactly "rungame=setup=key", "delgame:=key"
// exactly "delgame=key"; nullopt for any other link.
std::optional<QString> GameCommand(const QString& url);

} // namespace LinkForm
