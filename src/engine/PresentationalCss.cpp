#include "engine/PresentationalCss.h"

#include <QRegularExpression>
#include <QSet>
#include <utility>

namespace {

// Elements that have no content, and those whose end tag pages leave out:
// neither nests deeper.
bool nestsDeeper(const QString& name)
{
    static const QSet<QString> flat = {
        QStringLiteral("area"),     QStringLiteral("base"),  QStringLiteral("basefont"),
        QStringLiteral("br"),       QStringLiteral("col"),   QStringLiteral("frame"),
        QStringLiteral("hr"),       QStringLiteral("img"),   QStringLiteral("input"),
        QStringLiteral("isindex"),  QStringLiteral("link"),  QStringLiteral("meta"),
        QStringLiteral("param"),    QStringLiteral("p"),     QStringLiteral("li"),
        QStringLiteral("dt"),       QStringLiteral("dd"),    QStringLiteral("option"),
        QStringLiteral("tr"),       QStringLiteral("td"),    QStringLiteral("th"),
        QStringLiteral("thead"),    QStringLiteral("tbody"), QStringLiteral("tfoot"),
        QStringLiteral("colgroup"), QStringLiteral("html"),  QStringLiteral("head"),
        QStringLiteral("body"),     QStringLiteral("wbr")};
    return !flat.contains(name);
}

QString alignment(const QString& value)
{
    const QString align = value.trimmed().toLower();
    if (align == QLatin1String("center") || align == QLatin1String("middle")) {
        return QStringLiteral("center");
    }
    if (align == QLatin1String("left") || align == QLatin1String("right") ||
        align == QLatin1String("justify")) {
        return align;
    }
    return QString();
}

QString verticalAlignment(const QString& value)
{
    const QString align = value.trimmed().toLower();
    if (align == QLatin1String("top") || align == QLatin1String("middle") ||
        align == QLatin1String("bottom") || align == QLatin1String("baseline")) {
        return align;
    }
    if (align == QLatin1String("center")) {
        return QStringLiteral("middle");
    }
    return QString();
}

// A url() of a file name: quotes and characters that end the declaration are
// left out, so a name cannot break out of the style.
QString cssUrl(const QString& value)
{
    QString url = value.trimmed();
    url.remove(QRegularExpression(QStringLiteral("[\"'()<>;{}\\\\\\n\\r]")));
    return url.isEmpty() ? QString() : QLatin1String("url('") + url + QLatin1String("')");
}

// The faces of <font face="A, B">, each quoted; characters that would end
// the name or the declaration are left out.
QString fontFamilies(const QString& value)
{
    QStringList families;
    for (QString face : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        face.remove(QRegularExpression(QStringLiteral("[\"'()<>;{}\\\\\\n\\r]")));
        face = face.trimmed();
        if (!face.isEmpty()) {
            families.append(QLatin1Char('\'') + face + QLatin1Char('\''));
        }
    }
    return families.join(QLatin1Char(','));
}

void add(QString& style, const char* property, const QString& value)
{
    if (!value.isEmpty()) {
        style += QLatin1String(property) + QLatin1Char(':') + value + QLatin1Char(';');
    }
}

int cappedNumber(const QString& value, int max)
{
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    return ok ? qBound(0, number, max) : -1;
}

void setAttribute(HtmlAttributes& attributes, const QString& name, const QString& value)
{
    for (auto& attribute : attributes) {
        if (attribute.first == name) {
            attribute.second = value;
            return;
        }
    }
    attributes.append({name, value});
}

} // namespace

QString PresentationalCss::Rewrite(const QString& html, int mediumPixels)
{
    return PresentationalCss(html, qBound(1, mediumPixels, kMaxFontSize)).run();
}

// "1" to "7", or "+N" and "-N" counted from the base font's size; 0 for
// anything else.
int PresentationalCss::legacyFontSize(const QString& value) const
{
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?)(\\d{1,3})"));
    const QRegularExpressionMatch match = number.match(value);
    if (!match.hasMatch()) {
        return 0;
    }
    const int amount = match.captured(2).toInt();
    const QString sign = match.captured(1);
    const int size = sign.isEmpty()               ? amount
                     : sign == QLatin1String("+") ? baseFontSize_ + amount
                                                  : baseFontSize_ - amount;
    return qBound(1, size, 7);
}

// The sizes 1 to 6 are CSS's keywords from x-small to xx-large, measured from
// the page font as browsers do; 7 is three times the page font.
QString PresentationalCss::fontSizeCss(int legacySize) const
{
    static const char* const keywords[] = {"x-small", "small",   "medium",
                                           "large",   "x-large", "xx-large"};
    if (legacySize >= 1 && legacySize <= 6) {
        return QLatin1String(keywords[legacySize - 1]);
    }
    return QString::number(qMin(3 * mediumPixels_, int(kMaxFontSize))) + QLatin1String("px");
}

QString PresentationalCss::Length(const QString& value)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*(\\d{1,9})(?:\\.\\d*)?\\s*(px|%|\\*)?\\s*$"));
    const QRegularExpressionMatch match = number.match(value);
    if (!match.hasMatch() || match.captured(2) == QLatin1String("*")) {
        return QString();
    }
    const qint64 amount = match.captured(1).toLongLong();
    if (match.captured(2) == QLatin1String("%")) {
        return QString::number(qMin<qint64>(amount, 100)) + QLatin1Char('%');
    }
    return QString::number(qMin<qint64>(amount, kMaxLength)) + QLatin1String("px");
}

QString PresentationalCss::Colour(const QString& value)
{
    static const QRegularExpression hex(QStringLiteral("^#?([0-9a-fA-F]{3}|[0-9a-fA-F]{6})$"));
    static const QRegularExpression name(QStringLiteral("^[a-zA-Z]{1,30}$"));
    const QString colour = value.trimmed();
    const QRegularExpressionMatch match = hex.match(colour);
    if (match.hasMatch() && (colour.startsWith(QLatin1Char('#')) || colour.size() == 6)) {
        return QLatin1Char('#') + match.captured(1);
    }
    return name.match(colour).hasMatch() ? colour : QString();
}

QString PresentationalCss::run()
{
    out_.reserve(html_.size() + html_.size() / 8);
    HtmlTag tag;
    while (scanner_.next(tag)) {
        if (tag.closing) {
            closeTag(tag);
        } else if (tooDeep(tag)) {
            replace(tag, QString());
        } else {
            rewriteTag(tag);
        }
    }
    out_ += QStringView(html_).mid(copied_);
    if (!pageCss_.isEmpty()) {
        out_.prepend(QLatin1String("<style>") + pageCss_ + QLatin1String("</style>"));
    }
    return std::move(out_);
}

bool PresentationalCss::tooDeep(const HtmlTag& tag)
{
    if (!nestsDeeper(tag.name) || html_.at(tag.end - 2) == QLatin1Char('/')) {
        return false;
    }
    if (open_.size() >= kMaxDepth) {
        return true;
    }
    open_.append(tag.name);
    return false;
}

void PresentationalCss::closeTag(const HtmlTag& tag)
{
    const qsizetype at = open_.lastIndexOf(tag.name);
    if (at >= 0) {
        open_.resize(at);
    } else if (nestsDeeper(tag.name) && open_.size() >= kMaxDepth) {
        replace(tag, QString()); // the end of an element dropped as too deep
    }
    if (tag.name == QLatin1String("table") && !tables_.isEmpty()) {
        tables_.removeLast();
    }
}

// A line of nothing but a line break has the height of a line in browsers
// and none in litehtml: a zero-width space holds it open.
bool PresentationalCss::emptyLineBreak(const HtmlTag& tag)
{
    if (tag.name != QLatin1String("br")) {
        return false;
    }
    const qsizetype previous = std::exchange(lastBreakEnd_, tag.end);
    if (previous < 0 ||
        !QStringView(html_).mid(previous, tag.begin - previous).trimmed().isEmpty()) {
        return false;
    }
    replace(tag, QString(QChar(0x200B)) + html_.mid(tag.begin, tag.end - tag.begin));
    return true;
}

void PresentationalCss::rewriteTag(const HtmlTag& tag)
{
    if (emptyLineBreak(tag)) {
        return;
    }
    if (tag.name == QLatin1String("table")) {
        tables_.append(Table());
    }
    HtmlAttributes attributes = scanner_.attributes(tag);
    const QString style = styleOf(tag, attributes);
    const bool spans = HasAttribute(attributes, u"colspan") || HasAttribute(attributes, u"rowspan");
    if (style.isEmpty() && !spans) {
        return;
    }
    capSpans(attributes);
    if (!style.isEmpty()) {
        setAttribute(attributes, QStringLiteral("style"),
                     style + AttributeValue(attributes, u"style"));
    }
    replace(tag, WriteTag(tag.name, attributes));
}

QString PresentationalCss::styleOf(const HtmlTag& tag, HtmlAttributes& attributes)
{
    const QString& name = tag.name;
    QString style;
    if (name != QLatin1String("img") && name != QLatin1String("hr")) {
        add(style, "background-color", Colour(AttributeValue(attributes, u"bgcolor")));
    }
    const QString background = AttributeValue(attributes, u"background");
    if (!background.trimmed().isEmpty()) {
        add(style, "background-image", cssUrl(background));
    }
    if (name == QLatin1String("body")) {
        style += bodyStyle(attributes);
    } else if (name == QLatin1String("table")) {
        style += tableStyle(attributes);
    } else if (name == QLatin1String("td") || name == QLatin1String("th") ||
               name == QLatin1String("tr")) {
        style += cellStyle(attributes);
    } else if (name == QLatin1String("img") || name == QLatin1String("object") ||
               name == QLatin1String("applet")) {
        style += imageStyle(attributes);
    } else if (name == QLatin1String("div") || name == QLatin1String("p") ||
               (name.size() == 2 && name.at(0) == QLatin1Char('h') && name.at(1).isDigit())) {
        add(style, "text-align", alignment(AttributeValue(attributes, u"align")));
    } else if (name == QLatin1String("hr")) {
        add(style, "width", Length(AttributeValue(attributes, u"width")));
        const QString size = Length(AttributeValue(attributes, u"size"));
        add(style, "height", size);
        add(style, "background-color", Colour(AttributeValue(attributes, u"color")));
    } else if (name == QLatin1String("font")) {
        add(style, "font-family", fontFamilies(AttributeValue(attributes, u"face")));
        if (const int size = legacyFontSize(AttributeValue(attributes, u"size"))) {
            add(style, "font-size", fontSizeCss(size));
        }
    } else if (name == QLatin1String("basefont")) {
        const QString colour = Colour(AttributeValue(attributes, u"color"));
        if (!colour.isEmpty()) {
            pageCss_ += QLatin1String("body{color:") + colour + QLatin1Char('}');
        }
        if (const int size = legacyFontSize(AttributeValue(attributes, u"size"))) {
            baseFontSize_ = size;
            pageCss_ += QLatin1String("body{font-size:") + fontSizeCss(size) + QLatin1Char('}');
        }
    }
    return style;
}

QString PresentationalCss::bodyStyle(const HtmlAttributes& attributes)
{
    QString style;
    add(style, "color", Colour(AttributeValue(attributes, u"text")));
    const auto margin = [&attributes](QStringView first, QStringView second) {
        const QString value = AttributeValue(attributes, first);
        return Length(value.isEmpty() ? AttributeValue(attributes, second) : value);
    };
    const QString left = margin(u"leftmargin", u"marginwidth");
    const QString top = margin(u"topmargin", u"marginheight");
    add(style, "margin-left", left);
    add(style, "margin-right", left);
    add(style, "margin-top", top);
    add(style, "margin-bottom", top);
    const QString link = Colour(AttributeValue(attributes, u"link"));
    const QString visited = Colour(AttributeValue(attributes, u"vlink"));
    const QString active = Colour(AttributeValue(attributes, u"alink"));
    if (!link.isEmpty()) {
        pageCss_ += QLatin1String("a:link{color:") + link + QLatin1Char('}');
    }
    if (!visited.isEmpty()) {
        pageCss_ += QLatin1String("a:visited{color:") + visited + QLatin1Char('}');
    }
    if (!active.isEmpty()) {
        pageCss_ += QLatin1String("a:active{color:") + active + QLatin1Char('}');
    }
    return style;
}

QString PresentationalCss::tableStyle(const HtmlAttributes& attributes)
{
    QString style;
    Table& table = tables_.last();
    add(style, "width", Length(AttributeValue(attributes, u"width")));
    add(style, "height", Length(AttributeValue(attributes, u"height")));
    const QString align = alignment(AttributeValue(attributes, u"align"));
    if (align == QLatin1String("center")) {
        style += QLatin1String("margin-left:auto;margin-right:auto;");
    } else if (align == QLatin1String("left") || align == QLatin1String("right")) {
        add(style, "float", align);
    }
    const int spacing = cappedNumber(AttributeValue(attributes, u"cellspacing"), kMaxLength);
    if (spacing >= 0) {
        style += QStringLiteral("border-spacing:%1px;").arg(spacing);
    }
    const int padding = cappedNumber(AttributeValue(attributes, u"cellpadding"), kMaxLength);
    if (padding >= 0) {
        table.cellPadding = QString::number(padding) + QLatin1String("px");
    }
    const QString borderValue = AttributeValue(attributes, u"border");
    if (HasAttribute(attributes, u"border")) {
        const int border = borderValue.trimmed().isEmpty() ? 1 : cappedNumber(borderValue, 100);
        if (border > 0) {
            // Raised grey edges, or flat ones of the colour a page names.
            const QString colour = Colour(AttributeValue(attributes, u"bordercolor"));
            if (colour.isEmpty()) {
                style += QStringLiteral("border:%1px outset gray;").arg(border);
                table.border = QStringLiteral("1px inset gray");
            } else {
                style += QStringLiteral("border:%1px solid %2;").arg(border).arg(colour);
                table.border = QStringLiteral("1px solid %1").arg(colour);
            }
        }
    }
    return style;
}

QString PresentationalCss::cellStyle(const HtmlAttributes& attributes)
{
    QString style;
    if (!tables_.isEmpty()) {
        const Table& table = tables_.last();
        add(style, "padding", table.cellPadding);
        add(style, "border", table.border);
    }
    add(style, "width", Length(AttributeValue(attributes, u"width")));
    add(style, "height", Length(AttributeValue(attributes, u"height")));
    add(style, "text-align", alignment(AttributeValue(attributes, u"align")));
    add(style, "vertical-align", verticalAlignment(AttributeValue(attributes, u"valign")));
    if (HasAttribute(attributes, u"nowrap")) {
        style += QLatin1String("white-space:nowrap;");
    }
    return style;
}

QString PresentationalCss::imageStyle(const HtmlAttributes& attributes) const
{
    QString style;
    add(style, "width", Length(AttributeValue(attributes, u"width")));
    add(style, "height", Length(AttributeValue(attributes, u"height")));
    const int hspace = cappedNumber(AttributeValue(attributes, u"hspace"), kMaxLength);
    if (hspace >= 0) {
        style += QStringLiteral("margin-left:%1px;margin-right:%1px;").arg(hspace);
    }
    const int vspace = cappedNumber(AttributeValue(attributes, u"vspace"), kMaxLength);
    if (vspace >= 0) {
        style += QStringLiteral("margin-top:%1px;margin-bottom:%1px;").arg(vspace);
    }
    const int border = cappedNumber(AttributeValue(attributes, u"border"), 100);
    if (border >= 0) {
        style += QStringLiteral("border:%1px solid;").arg(border);
    }
    const QString align = AttributeValue(attributes, u"align").trimmed().toLower();
    if (align == QLatin1String("left") || align == QLatin1String("right")) {
        add(style, "float", align);
    } else {
        add(style, "vertical-align", verticalAlignment(align));
    }
    return style;
}

void PresentationalCss::capSpans(HtmlAttributes& attributes) const
{
    for (auto& [name, value] : attributes) {
        if (name == QLatin1String("colspan") || name == QLatin1String("rowspan")) {
            const int span = cappedNumber(value, kMaxSpan);
            value = QString::number(span < 1 ? 1 : span);
        }
    }
}

void PresentationalCss::replace(const HtmlTag& tag, const QString& text)
{
    out_ += QStringView(html_).mid(copied_, tag.begin - copied_);
    out_ += text;
    copied_ = tag.end;
}
