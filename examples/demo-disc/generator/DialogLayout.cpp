#include "DialogLayout.h"

#include "SourceLines.h"

#include <QFile>
#include <QRegularExpression>

namespace {

// The markers in the order the shell tests them.
const QStringList Markers{QStringLiteral("_picture"), QStringLiteral("_text"),
                          QStringLiteral("_button"), QStringLiteral("switchgrp")};

// The keys the shell awaits, in its order; the last one ends the element.
QStringList requiredKeys(DialogLayout::Kind kind)
{
    switch (kind) {
    case DialogLayout::Kind::Text:
        return {QStringLiteral("vx"),    QStringLiteral("vy"),   QStringLiteral("vw"),
                QStringLiteral("font"),  QStringLiteral("size"), QStringLiteral("style"),
                QStringLiteral("color"), QStringLiteral("value")};
    case DialogLayout::Kind::Button:
        return {QStringLiteral("vx"),  QStringLiteral("vy"),   QStringLiteral("align"),
                QStringLiteral("fn1"), QStringLiteral("fn2"),  QStringLiteral("fn3"),
                QStringLiteral("go"),  QStringLiteral("hint"), QStringLiteral("wav")};
    case DialogLayout::Kind::Switch:
        return {QStringLiteral("vx"),    QStringLiteral("vy"),    QStringLiteral("fn1"),
                QStringLiteral("fn2"),   QStringLiteral("fn3"),   QStringLiteral("fn4"),
                QStringLiteral("state"), QStringLiteral("store"), QStringLiteral("group"),
                QStringLiteral("go"),    QStringLiteral("hint"),  QStringLiteral("wav")};
    }
    return {};
}

// A marker line: the page number (from 1), the marker, then anything.
const QRegularExpression MarkerLine(QStringLiteral("^(\\d+)(_picture|_text|_button|switchgrp)"));

} // namespace

bool DialogLayout::read(const QString& path)
{
    const bool parsed = ReadSourceLines(path, error_, [this](const QString& line, int number) {
        return parseLine(line.trimmed(), number);
    });
    if (!parsed) {
        return false;
    }
    if (inElement_) {
        error_ = QStringLiteral("%1: the element of line %2 lacks its last key")
                     .arg(path)
                     .arg(elementLine_);
        return false;
    }
    return true;
}

bool DialogLayout::parseLine(const QString& line, int number)
{
    const QString lower = line.toLower();
    const QRegularExpressionMatch marker = MarkerLine.match(lower);
    for (const QString& word : Markers) {
        if (lower.contains(word) && !(marker.hasMatch() && marker.captured(2) == word)) {
            error_ = QStringLiteral("\"%1\" here would start an element").arg(word);
            return false;
        }
    }
    if (inElement_) {
        lines_.append(lower);
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals > 0) {
            const QString key = lower.left(equals).trimmed();
            keys_.insert(key, line.mid(equals + 1).section(QLatin1Char(';'), 0, 0).trimmed());
            if (key == requiredKeys(kind_).constLast()) {
                return finishElement();
            }
        }
        return true;
    }
    if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) {
        return true;
    }
    if (!marker.hasMatch()) {
        error_ = QStringLiteral("a key outside an element");
        return false;
    }
    const QString word = marker.captured(2);
    if (word == QLatin1String("_picture")) {
        // The name starts eight characters after "picture", past the "=".
        const int name = lower.indexOf(QLatin1String("picture")) + 8;
        pagePictures_.insert(marker.captured(1).toInt() - 1, line.mid(name).trimmed());
        return true;
    }
    const Kind kind = word == QLatin1String("_text")     ? Kind::Text
                      : word == QLatin1String("_button") ? Kind::Button
                                                         : Kind::Switch;
    return startElement(kind, lower, number);
}

bool DialogLayout::startElement(Kind kind, const QString& lower, int number)
{
    if (lower.contains(QLatin1Char('='))) {
        error_ = QStringLiteral("keys on the marker line");
        return false;
    }
    inElement_ = true;
    kind_ = kind;
    page_ = MarkerLine.match(lower).captured(1).toInt() - 1;
    elementLine_ = number;
    lines_ = QStringList{lower};
    keys_.clear();
    return true;
}

bool DialogLayout::finishElement()
{
    inElement_ = false;
    if (!checkKeyOrder()) {
        return false;
    }
    elements_.append(elementOfKeys());
    return true;
}

// Each awaited key must first turn up, from the line of the previous one on,
// at the start of its own line.
bool DialogLayout::checkKeyOrder()
{
    int at = 0;
    for (const QString& key : requiredKeys(kind_)) {
        while (at < lines_.size() && !lines_.at(at).contains(key)) {
            ++at;
        }
        if (at == lines_.size()) {
            error_ = QStringLiteral("the element of line %1 lacks \"%2\" after the keys before it")
                         .arg(elementLine_)
                         .arg(key);
            return false;
        }
        if (!lines_.at(at).startsWith(key + QLatin1Char('='))) {
            error_ = QStringLiteral("\"%1\" of the element of line %2 would be read from line %3")
                         .arg(key)
                         .arg(elementLine_)
                         .arg(elementLine_ + at);
            return false;
        }
    }
    return true;
}

DialogLayout::Element DialogLayout::elementOfKeys() const
{
    auto number = [this](const char* key) { return keys_.value(QLatin1String(key)).toInt(); };
    Element element;
    element.kind = kind_;
    element.page = page_;
    element.line = elementLine_;
    element.position = QPoint(number("vx"), number("vy"));
    element.right = number("vw");
    for (const char* key : {"fn1", "fn2", "fn3", "fn4"}) {
        if (keys_.contains(QLatin1String(key))) {
            element.pictures.append(keys_.value(QLatin1String(key)));
        }
    }
    Caption& caption = element.caption;
    caption.up = keys_.value(QStringLiteral("textcaptionup"));
    caption.dn = keys_.value(QStringLiteral("textcaptiondn"));
    caption.rect = QRect(QPoint(number("texttx"), number("textty")),
                         QPoint(number("textbx") - 1, number("textby") - 1));
    caption.font = keys_.value(QStringLiteral("textfontname"));
    caption.pointSize = number("textfontsize");
    return element;
}
