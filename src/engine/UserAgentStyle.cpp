#include "engine/UserAgentStyle.h"

namespace UserAgentStyle {

QString StyleSheet()
{
    return QStringLiteral(R"css(
html, address, blockquote, body, dd, div, dl, dt, fieldset, form, frame, frameset,
h1, h2, h3, h4, h5, h6, noframes, ol, p, ul, center, dir, hr, menu, pre { display: block }
head, script, style, title, meta, link, base, noscript, map, area, param, option,
datalist, template { display: none }
html { margin: 0 }
body { margin: 8px; display: block }
li { display: list-item }
table { display: table; border-spacing: 2px; border-collapse: separate; text-indent: 0 }
tr { display: table-row; vertical-align: inherit }
thead { display: table-header-group; vertical-align: middle }
tbody { display: table-row-group; vertical-align: middle }
tfoot { display: table-footer-group; vertical-align: middle }
col { display: table-column }
colgroup { display: table-column-group }
td, th { display: table-cell; vertical-align: inherit; padding: 1px }
caption { display: table-caption; text-align: center }
th { font-weight: bold; text-align: center }
h1 { font-size: 2em; margin: .67em 0 }
h2 { font-size: 1.5em; margin: .75em 0 }
h3 { font-size: 1.17em; margin: .83em 0 }
h4, p, blockquote, ul, fieldset, form, ol, dl, dir, menu { margin: 1.12em 0 }
h5 { font-size: .83em; margin: 1.5em 0 }
h6 { font-size: .75em; margin: 1.67em 0 }
h1, h2, h3, h4, h5, h6, b, strong { font-weight: bold }
blockquote { margin-left: 40px; margin-right: 40px }
i, cite, em, var, address { font-style: italic }
pre, tt, code, kbd, samp { font-family: monospace }
pre { white-space: pre; margin: 1em 0 }
big { font-size: 1.17em }
small, sub, sup { font-size: .83em }
sub { vertical-align: sub }
sup { vertical-align: super }
s, strike, del { text-decoration: line-through }
u, ins { text-decoration: underline }
hr { border: 1px inset; margin: 0.5em auto; height: 0 }
ol, ul, dir, menu, dd { margin-left: 40px }
ol { list-style-type: decimal }
ul { list-style-type: disc }
ol ul, ul ol, ul ul, ol ol { margin-top: 0; margin-bottom: 0 }
ul ul { list-style-type: circle }
ul ul ul { list-style-type: square }
center { text-align: center }
center > table, center > div, center > form, center > center { margin-left: auto; margin-right: auto }
nobr { white-space: nowrap }
br { display: block }
img { display: inline-block }
a:link, a:visited { text-decoration: underline; cursor: pointer }
a:link { color: #0000ee }
a:visited { color: #551a8b }
input, select, textarea, button { display: inline-block }
input { width: 150px; height: 20px }
input[type="checkbox"], input[type="radio"] { width: 14px; height: 14px }
input[type="hidden"] { display: none }
textarea { width: 200px; height: 40px }
select { width: 120px; height: 20px }
button { padding: 2px 6px }
@media print { a:link, a:visited { color: black } }
)css");
}

} // namespace UserAgentStyle
