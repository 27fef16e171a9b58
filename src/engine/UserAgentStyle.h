#pragma once

#include <QString>

// The style sheet every page starts from, after the default style sheet of
// HTML 4 in CSS 2: display types, the margins of headings, paragraphs and
// lists, tables, forms and <center>; and the look of links.
namespace UserAgentStyle {

// The margin of <body>, px.
constexpr int kBodyMargin = 8;

QString StyleSheet();

} // namespace UserAgentStyle
