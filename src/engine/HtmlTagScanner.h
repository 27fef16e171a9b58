#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <utility>

// One tag of an HTML text. Attributes are parsed on demand, since most tags
// of a page are copied through untouched.
struct HtmlTag {
    QString name; // lower case
    bool closing = false;
    qsizetype begin = 0; // position of "<"
    qsizetype end = 0;   // position after ">"
};

// Attribute names lower-cased, values with their entities decoded.
using HtmlAttributes = QList<std::pair<QString, QString>>;

// Walks the tags of an HTML text in order, skipping comments, declarations
// and the raw content of <script> and <style>. Every step moves forward, so
// a damaged page ends the walk rather than looping.
class HtmlTagScanner {
public:
    explicit HtmlTagScanner(const QString& html) : html_(html) {}

    bool next(HtmlTag& tag);
    HtmlAttributes attributes(const HtmlTag& tag) const;

private:
    bool parseTag(qsizetype at, HtmlTag& tag);
    qsizetype skipMarkup(qsizetype at) const;

    const QString& html_;
    qsizetype position_ = 0;
    QString rawEnd_; // "</script" or "</style" while inside their content
};

QString AttributeValue(const HtmlAttributes& attributes, QStringView name);
bool HasAttribute(const HtmlAttributes& attributes, QStringView name);
// &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric references.
QString DecodeEntities(const QString& text);
QString EscapeHtml(const QString& text);
// A tag written anew from its name and attributes; elements that have no
// content are closed in the tag itself.
QString WriteTag(const QString& name, const HtmlAttributes& attributes);
