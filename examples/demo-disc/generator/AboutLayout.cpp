#include "AboutLayout.h"

#include "SourceLines.h"

#include <QFile>
#include <algorithm>

namespace {

// The words the shell finds in any line of the file, picture and outline
// first, then the element markers in the order it tests them.
const QStringList LineWords{QStringLiteral("picture"), QStringLiteral("vertex")};
const QStringList Markers{QStringLiteral("text"), QStringLiteral("button")};
const QStringList StyleWords{QStringLiteral("bold"), QStringLiteral("italic"),
                             QStringLiteral("underline"), QStringLiteral("strikeout")};
constexpr int MaxVertices = 2000;

// The keys the shell awaits, in its order; the last one ends the element.
QStringList requiredKeys(AboutLayout::Kind kind)
{
    if (kind == AboutLayout::Kind::Text) {
        return {QStringLiteral("vx"),    QStringLiteral("vy"),    QStringLiteral("font"),
                QStringLiteral("size"),  QStringLiteral("style"), QStringLiteral("color"),
                QStringLiteral("value"), QStringLiteral("idenf")};
    }
    return {QStringLiteral("vx"),  QStringLiteral("vy"),   QStringLiteral("fn1"),
            QStringLiteral("fn2"), QStringLiteral("hint"), QStringLiteral("wav")};
}

// Latin letters reach the shell in lower case; other letters stay as written.
bool hasLatinCapitals(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar letter) { return letter >= u'A' && letter <= u'Z'; });
}

bool readNumber(const QString& text, int& number)
{
    bool ok = false;
    number = text.trimmed().toInt(&ok);
    return ok;
}

bool readColour(const QString& text, QColor& color)
{
    const QStringList parts = text.split(QLatin1Char(','));
    int rgb[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (parts.size() != 3 || !readNumber(parts.at(i), rgb[i]) || rgb[i] < 0 || rgb[i] > 255) {
            return false;
        }
    }
    color = QColor(rgb[0], rgb[1], rgb[2]);
    return true;
}

} // namespace

bool AboutLayout::read(const QString& path)
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
    if (picture_.isEmpty() || outline_.isEmpty()) {
        error_ = QStringLiteral("%1 names no picture or no outline").arg(path);
        return false;
    }
    return true;
}

bool AboutLayout::parseLine(const QString& line, int number)
{
    const QString lower = line.toLower();
    for (const QString& word : LineWords + Markers) {
        if (lower.contains(word) && (inElement_ || !lower.startsWith(word))) {
            error_ = QStringLiteral("\"%1\" here would be read as a picture, an outline or the "
                                    "start of an element")
                         .arg(word);
            return false;
        }
    }
    if (lower.startsWith(LineWords.at(0))) {
        return readPicture(lower);
    }
    if (lower.startsWith(LineWords.at(1))) {
        return readOutline(lower);
    }
    if (inElement_) {
        lines_.append(lower);
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            return true;
        }
        const QString key = lower.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (keys_.contains(key) || value.contains(QLatin1Char(';'))) {
            error_ = QStringLiteral("\"%1\" is given twice or holds a \";\"").arg(key);
            return false;
        }
        keys_.insert(key, value);
        return key == requiredKeys(kind_).constLast() ? finishElement() : true;
    }
    if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) {
        return true;
    }
    if (!Markers.contains(lower)) {
        error_ = QStringLiteral("a line outside an element");
        return false;
    }
    return startElement(lower, number);
}

// The name starts eight characters after "picture", past the "=".
bool AboutLayout::readPicture(const QString& lower)
{
    const QString name = lower.mid(8).trimmed();
    if (!picture_.isEmpty() || lower.at(7) != QLatin1Char('=') || name.isEmpty() ||
        name.contains(QLatin1Char(';'))) {
        error_ = QStringLiteral("the picture must be named once, as picture=NAME");
        return false;
    }
    picture_ = name;
    return true;
}

bool AboutLayout::readOutline(const QString& lower)
{
    const QString prefix = QStringLiteral("vertex=[");
    if (!outline_.isEmpty() || !lower.startsWith(prefix) || !lower.endsWith(QLatin1Char(']'))) {
        error_ = QStringLiteral("the outline must be given once, as vertex=[x,y;x,y;...]");
        return false;
    }
    const QStringList points =
        lower.mid(prefix.size(), lower.size() - prefix.size() - 1).split(QLatin1Char(';'));
    for (const QString& point : points) {
        const QStringList xy = point.split(QLatin1Char(','));
        int x = 0;
        int y = 0;
        if (xy.size() != 2 || !readNumber(xy.at(0), x) || !readNumber(xy.at(1), y)) {
            error_ = QStringLiteral("the outline point \"%1\" is not x,y").arg(point);
            return false;
        }
        outline_ << QPoint(x, y);
    }
    if (outline_.size() < 3 || outline_.size() > MaxVertices) {
        error_ = QStringLiteral("the outline has %1 points, not 3 to %2")
                     .arg(outline_.size())
                     .arg(MaxVertices);
        return false;
    }
    return true;
}

bool AboutLayout::startElement(const QString& lower, int number)
{
    inElement_ = true;
    kind_ = lower == Markers.at(0) ? Kind::Text : Kind::Button;
    elementLine_ = number;
    lines_ = QStringList{lower};
    keys_.clear();
    return true;
}

bool AboutLayout::finishElement()
{
    inElement_ = false;
    if (!checkKeyOrder()) {
        return false;
    }
    return kind_ == Kind::Text ? storeText() : storeButton();
}

// Each awaited key must first turn up, from the line of the previous one on,
// at the start of its own line.
bool AboutLayout::checkKeyOrder()
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

bool AboutLayout::storeText()
{
    Text text;
    text.line = elementLine_;
    text.font = keys_.value(QStringLiteral("font")).toLower();
    text.style = keys_.value(QStringLiteral("style")).toLower();
    text.value = keys_.value(QStringLiteral("value"));
    const QString idenf = keys_.value(QStringLiteral("idenf")).toLower();
    text.link = idenf == QLatin1String("url");
    const QStringList styleWords = text.style.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const bool styleKnown =
        std::all_of(styleWords.cbegin(), styleWords.cend(),
                    [](const QString& word) { return StyleWords.contains(word); });
    if (!readNumber(keys_.value(QStringLiteral("vx")), text.position.rx()) ||
        !readNumber(keys_.value(QStringLiteral("vy")), text.position.ry()) ||
        !readNumber(keys_.value(QStringLiteral("size")), text.pointSize) || text.pointSize <= 0 ||
        text.font.isEmpty() || !styleKnown ||
        !readColour(keys_.value(QStringLiteral("color")), text.color) || text.value.isEmpty() ||
        hasLatinCapitals(text.value) || (!text.link && idenf != QLatin1String("no"))) {
        error_ = QStringLiteral("the text of line %1 has a bad place, font, colour, value (Latin "
                                "capitals show in lower case) or idenf (url or no)")
                     .arg(elementLine_);
        return false;
    }
    texts_.append(text);
    return true;
}

bool AboutLayout::storeButton()
{
    Button button;
    button.line = elementLine_;
    button.up = keys_.value(QStringLiteral("fn1")).toLower();
    button.hover = keys_.value(QStringLiteral("fn2")).toLower();
    button.hint = keys_.value(QStringLiteral("hint"));
    button.sound = keys_.value(QStringLiteral("wav")).toLower();
    if (!readNumber(keys_.value(QStringLiteral("vx")), button.position.rx()) ||
        !readNumber(keys_.value(QStringLiteral("vy")), button.position.ry()) ||
        button.up.isEmpty() || button.hover.isEmpty() || button.sound.isEmpty() ||
        hasLatinCapitals(button.hint)) {
        error_ = QStringLiteral("the button of line %1 has a bad place, pictures, hint (Latin "
                                "capitals show in lower case) or sound")
                     .arg(elementLine_);
        return false;
    }
    buttons_.append(button);
    return true;
}
