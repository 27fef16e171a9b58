#pragma once

#include <QString>

// Text with its HTML character references decoded: numeric ones ("&#1078;",
// "&#x436;", the ";" may be left out) and the common named ones ("&amp;",
// "&nbsp;", "&laquo;" ...). Anything else, a reference to no character
// included, stays as it is.
QString DecodeHtmlReferences(const QString& text);
