#include "engine/HtmlPreprocessor.h"

#include "engine/HtmlResources.h"
#include "engine/PagePaths.h"

namespace {

QString plainText(const QString& html)
{
    return DecodeEntities(html).simplified();
}

bool isStyleSheetLink(const HtmlAttributes& attributes)
{
    return AttributeValue(attributes, u"rel")
        .contains(QLatin1String("stylesheet"), Qt::CaseInsensitive);
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

// Style blocks, linked style sheets or body link colours: a rule of the page
// may then style links, and must win over the default look.
bool hasOwnStyle(const QString& html)
{
    return html.contains(QLatin1String("<style"), Qt::CaseInsensitive) ||
           html.contains(QLatin1String("stylesheet"), Qt::CaseInsensitive) ||
           html.contains(QLatin1String("link="), Qt::CaseInsensitive);
}

void removeAttribute(HtmlAttributes& attributes, QStringView name)
{
    attributes.removeIf([name](const auto& attribute) { return attribute.first == name; });
}

} // namespace

int PreparedPage::TokenIndex(const QString& token, QStringView scheme)
{
    if (!token.startsWith(scheme) || token.size() <= scheme.size() ||
        token.at(scheme.size()) != QLatin1Char(':')) {
        return -1;
    }
    bool ok = false;
    const int index = QStringView(token).mid(scheme.size() + 1).toInt(&ok);
    return ok ? index : -1;
}

HtmlPreprocessor::HtmlPreprocessor(const QString& file, PlaceholderSize placeholderSize,
                                   const QString& linkStyle)
    : file_(file), placeholderSize_(std::move(placeholderSize)), linkStyle_(linkStyle)
{
}

PreparedPage HtmlPreprocessor::prepare(const QString& html)
{
    HtmlTagScanner scanner(html);
    html_ = &html;
    page_.hasOwnStyle = hasOwnStyle(html);
    scanner_ = &scanner;
    out_.reserve(html.size() + html.size() / 8);
    HtmlTag tag;
    while (scanner.next(tag)) {
        if (tag.name == QLatin1String("frameset") && !tag.closing && !bodySeen_) {
            page_.frameset = FramesetLayout::Parse(scanner, tag);
            break;
        }
        rewriteTag(tag);
    }
    out_ += QStringView(html).mid(copied_);
    page_.html = pageCss_.isEmpty()
                     ? std::move(out_)
                     : QLatin1String("<style>") + pageCss_ + QLatin1String("</style>") + out_;
    scanner_ = nullptr;
    html_ = nullptr;
    return std::move(page_);
}

void HtmlPreprocessor::rewriteTag(const HtmlTag& tag)
{
    const QString& name = tag.name;
    if (tag.closing) {
        if (name == QLatin1String("title") || name == QLatin1String("style")) {
            closeRawBlock(tag);
        }
        return;
    }
    if (name == QLatin1String("a")) {
        rewriteAnchor(tag);
    } else if (name == QLatin1String("img")) {
        rewriteImage(tag);
    } else if (name == QLatin1String("title") || name == QLatin1String("style")) {
        rawStart_ = tag.end;
    } else if (name == QLatin1String("link")) {
        rewriteFileAttribute(tag, u"href", true);
    } else if (name == QLatin1String("body")) {
        bodySeen_ = true;
        takeBodyColours(tag);
        rewriteFileAttribute(tag, u"background", false);
    } else if (name == QLatin1String("table") || name == QLatin1String("td") ||
               name == QLatin1String("th") || name == QLatin1String("tr")) {
        rewriteFileAttribute(tag, u"background", false);
    } else if (name == QLatin1String("select")) {
        replaceSelect(tag);
    } else if (name == QLatin1String("base")) {
        page_.baseTarget = AttributeValue(scanner_->attributes(tag), u"target");
    }
}

void HtmlPreprocessor::rewriteAnchor(const HtmlTag& tag)
{
    HtmlAttributes attributes = scanner_->attributes(tag);
    if (!HasAttribute(attributes, u"href")) {
        return;
    }
    const bool styled = HasAttribute(attributes, u"style");
    page_.anchors.append({AttributeValue(attributes, u"href").trimmed(),
                          AttributeValue(attributes, u"target").trimmed(), styled});
    setAttribute(attributes, QStringLiteral("href"),
                 PreparedPage::AnchorToken(int(page_.anchors.size()) - 1));
    removeAttribute(attributes, u"target");
    if (styled && !page_.hasOwnStyle && !linkStyle_.isEmpty()) {
        setAttribute(attributes, QStringLiteral("style"),
                     linkStyle_ + AttributeValue(attributes, u"style"));
    }
    replace(tag.begin, tag.end, WriteTag(tag.name, attributes));
}

void HtmlPreprocessor::rewriteImage(const HtmlTag& tag)
{
    HtmlAttributes attributes = scanner_->attributes(tag);
    const QString src = AttributeValue(attributes, u"src").trimmed();
    if (src.isEmpty()) {
        return;
    }
    const QString title = AttributeValue(attributes, u"title");
    page_.images.append({src, title.isEmpty() ? AttributeValue(attributes, u"alt") : title});
    addPictureSize(attributes, src);
    setAttribute(attributes, QStringLiteral("src"), fileToken(src, int(page_.images.size()) - 1));
    replace(tag.begin, tag.end, WriteTag(tag.name, attributes));
}

void HtmlPreprocessor::rewriteFileAttribute(const HtmlTag& tag, QStringView attribute,
                                            bool styleSheet)
{
    HtmlAttributes attributes = scanner_->attributes(tag);
    const QString link = AttributeValue(attributes, attribute).trimmed();
    if (link.isEmpty() || (styleSheet && !isStyleSheetLink(attributes))) {
        return;
    }
    setAttribute(attributes, attribute.toString(), fileToken(link));
    if (styleSheet) {
        setAttribute(attributes, QStringLiteral("type"), QStringLiteral("text/css"));
    }
    replace(tag.begin, tag.end, WriteTag(tag.name, attributes));
}

// The colours a body sets for links and text, which the text engine ignores.
void HtmlPreprocessor::takeBodyColours(const HtmlTag& tag)
{
    const HtmlAttributes attributes = scanner_->attributes(tag);
    const QString link = AttributeValue(attributes, u"link").trimmed();
    const QString text = AttributeValue(attributes, u"text").trimmed();
    const auto safe = [](const QString& colour) {
        return !colour.contains(QLatin1Char('}')) && !colour.contains(QLatin1Char('<')) &&
               !colour.contains(QLatin1Char(';'));
    };
    if (!link.isEmpty() && safe(link)) {
        pageCss_ += QLatin1String("a { color: ") + link + QLatin1String(" }");
    }
    if (!text.isEmpty() && safe(text)) {
        pageCss_ += QLatin1String("body { color: ") + text + QLatin1String(" }");
    }
}

void HtmlPreprocessor::replaceSelect(const HtmlTag& tag)
{
    PageSelect select;
    select.name = AttributeValue(scanner_->attributes(tag), u"name");
    HtmlTag inner;
    qsizetype optionText = -1;
    qsizetype end = tag.end;
    while (scanner_->next(inner)) {
        if (optionText >= 0) {
            select.items.last() += html_->mid(optionText, inner.begin - optionText);
            optionText = -1;
        }
        end = inner.end;
        if (inner.name == QLatin1String("select")) {
            break;
        }
        if (inner.name == QLatin1String("option") && !inner.closing) {
            if (HasAttribute(scanner_->attributes(inner), u"selected")) {
                select.selected = int(select.items.size());
            }
            select.items.append(QString());
            optionText = inner.end;
        }
    }
    for (QString& item : select.items) {
        item = plainText(item);
    }
    if (select.selected < 0 && !select.items.isEmpty()) {
        select.selected = 0;
    }
    select.size = placeholderSize_ ? placeholderSize_(select) : QSize(120, 22);
    page_.selects.append(select);
    replace(tag.begin, end,
            QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\" />")
                .arg(PreparedPage::ControlToken(int(page_.selects.size()) - 1))
                .arg(select.size.width())
                .arg(select.size.height()));
}

void HtmlPreprocessor::closeRawBlock(const HtmlTag& tag)
{
    if (rawStart_ < 0 || rawStart_ > tag.begin) {
        return;
    }
    const QString content = html_->mid(rawStart_, tag.begin - rawStart_);
    if (tag.name == QLatin1String("title")) {
        if (page_.title.isEmpty()) {
            page_.title = plainText(content);
        }
    } else if (content.contains(QLatin1String("url("), Qt::CaseInsensitive)) {
        replace(rawStart_, tag.begin, HtmlResources::RewriteCssUrls(content, file_));
    }
    rawStart_ = -1;
}

void HtmlPreprocessor::replace(qsizetype begin, qsizetype end, const QString& text)
{
    out_ += QStringView(*html_).mid(copied_, begin - copied_);
    out_ += text;
    copied_ = end;
}

void HtmlPreprocessor::addPictureSize(HtmlAttributes& attributes, const QString& src) const
{
    if (!pictureSize_ || HasAttribute(attributes, u"width") ||
        HasAttribute(attributes, u"height") ||
        (PagePaths::HasScheme(src) &&
         !src.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))) {
        return;
    }
    const QSize size = pictureSize_(PagePaths::WithoutAnchor(PagePaths::Expand(file_, src)));
    if (size.isValid()) {
        setAttribute(attributes, QStringLiteral("width"), QString::number(size.width()));
        setAttribute(attributes, QStringLiteral("height"), QString::number(size.height()));
    }
}

QString HtmlPreprocessor::fileToken(const QString& link, int serial) const
{
    if (PagePaths::HasScheme(link) &&
        !link.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        return link;
    }
    return HtmlResources::FileToken(PagePaths::WithoutAnchor(PagePaths::Expand(file_, link)),
                                    serial);
}
