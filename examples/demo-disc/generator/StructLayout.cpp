#include "StructLayout.h"

#include "SourceLines.h"

#include <QFile>
#include <QRegularExpression>

namespace {

// Words the shell acts on in any line of the description.
const QStringList GlobalWords{QStringLiteral("title"),      QStringLiteral("codec"),
                              QStringLiteral("rolic"),      QStringLiteral("helpwin"),
                              QStringLiteral("background"), QStringLiteral("icon"),
                              QStringLiteral("bgsounddef"), QStringLiteral("vertexmain"),
                              QStringLiteral("minimize"),   QStringLiteral("close")};

// Words that start an element section wherever they stand between sections.
const QStringList SectionWords{
    QStringLiteral("button"), QStringLiteral("switchone"), QStringLiteral("switchgrp"),
    QStringLiteral("_html"),  QStringLiteral("_findtxt"),  QStringLiteral("_path"),
    QStringLiteral("_clip"),  QStringLiteral("_text"),     QStringLiteral("_image"),
    QStringLiteral("_popup"), QStringLiteral("_screen")};

// Sections this reader follows, in the order they are recognised.
const QStringList Sections{
    QStringLiteral("button"),   QStringLiteral("switchone"), QStringLiteral("switchgrp"),
    QStringLiteral("minimize"), QStringLiteral("close"),     QStringLiteral("helpwin"),
    QStringLiteral("_html"),    QStringLiteral("_findtxt"),  QStringLiteral("_path"),
    QStringLiteral("_clip"),    QStringLiteral("_text"),     QStringLiteral("_image"),
    QStringLiteral("_popup")};

int firstNumber(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    const QRegularExpressionMatch match = digits.match(text);
    return match.hasMatch() ? match.captured().toInt() : -1;
}

QStringList listValue(const QString& value)
{
    QString inner = value.trimmed();
    inner.remove(QLatin1Char('['));
    inner.remove(QLatin1Char(']'));
    QStringList items;
    for (const QString& item : inner.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        items.append(item.trimmed());
    }
    return items;
}

QPolygon polygonOf(const QStringList& points)
{
    QPolygon polygon;
    for (const QString& point : points) {
        polygon << QPoint(point.section(QLatin1Char(','), 0, 0).toInt(),
                          point.section(QLatin1Char(','), 1, 1).toInt());
    }
    return polygon;
}

} // namespace

bool StructLayout::read(const QString& path)
{
    const bool parsed = ReadSourceLines(
        path, error_, [this](const QString& line, int number) { return parseLine(line, number); });
    if (!parsed) {
        return false;
    }
    if (!finish()) {
        error_ = QStringLiteral("%1: %2").arg(path, error_);
        return false;
    }
    return true;
}

QList<StructLayout::Area> StructLayout::areasOf(const QString& section, int screen) const
{
    QList<Area> found;
    for (const Area& area : areas_) {
        if (area.section == section && area.screen == screen) {
            found.append(area);
        }
    }
    return found;
}

bool StructLayout::parseLine(const QString& line, int number)
{
    const QString trimmed = line.trimmed();
    const QString lower = trimmed.toLower();
    if (!checkWords(lower)) {
        return false;
    }
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';'))) {
        return true;
    }
    for (const QString& word : Sections) {
        if (lower.startsWith(word)) {
            if (!finish()) {
                return false;
            }
            startSection(word, lower, number);
            return true;
        }
    }
    const int equals = trimmed.indexOf(QLatin1Char('='));
    if (lower.contains(QLatin1String("_screen"))) {
        if (!finish()) {
            return false;
        }
        backgrounds_.insert(firstNumber(lower), trimmed.mid(equals + 1).trimmed());
        return true;
    }
    if (equals < 0) {
        error_ = QStringLiteral("neither a section nor key=value");
        return false;
    }
    takeKey(lower.left(equals).trimmed(), trimmed.mid(equals + 1).trimmed());
    return true;
}

bool StructLayout::checkWords(const QString& lower)
{
    for (const QString& word : GlobalWords) {
        if (lower.contains(word) && !lower.startsWith(word)) {
            error_ = QStringLiteral("\"%1\" here would be taken as the global key").arg(word);
            return false;
        }
    }
    static const QRegularExpression screenLine(QStringLiteral("^\\d+_screen="));
    for (const QString& word : SectionWords) {
        if (!lower.contains(word) || lower.startsWith(word)) {
            continue;
        }
        if (word != QLatin1String("_screen") || !screenLine.match(lower).hasMatch()) {
            error_ = QStringLiteral("\"%1\" here would start a section").arg(word);
            return false;
        }
    }
    return true;
}

void StructLayout::startSection(const QString& word, const QString& lower, int number)
{
    section_ = word;
    sectionScreen_ = (word == QLatin1String("minimize") || word == QLatin1String("close"))
                         ? 0
                         : firstNumber(lower);
    sectionLine_ = number;
    keys_.clear();
}

StructLayout::Caption StructLayout::captionAtRest(const QString& section, bool on) const
{
    const bool single = section == QLatin1String("switchone");
    const bool button = section == QLatin1String("button");
    const QString state = on ? QStringLiteral("dn") : QStringLiteral("up");
    const QString place = single ? state : QString();
    auto text = [this](const QString& key) { return keys_.value(key); };
    auto number = [this](const QString& key) { return keys_.value(key).toInt(); };
    Caption caption;
    caption.text =
        button ? text(QStringLiteral("textcaption")) : text(QStringLiteral("textcaption") + state);
    const QPoint topLeft(number(QStringLiteral("texttx") + place),
                         number(QStringLiteral("textty") + place));
    const QPoint bottomRight(number(QStringLiteral("textbx") + place),
                             number(QStringLiteral("textby") + place));
    caption.rect = QRect(topLeft, bottomRight - QPoint(1, 1));
    caption.font = text(QStringLiteral("textfontname"));
    caption.pointSize = number(QStringLiteral("textfontsize"));
    caption.bold = text(QStringLiteral("textfontstyle") + state).contains(QLatin1String("bold"));
    const QStringList rgb = text(QStringLiteral("textfontcolor") + state).split(QLatin1Char(','));
    caption.color = QColor(rgb.value(0).toInt(), rgb.value(1).toInt(), rgb.value(2).toInt());
    return caption;
}

void StructLayout::takeKey(const QString& key, const QString& value)
{
    if (section_.isEmpty()) {
        if (key == QLatin1String("vertexmain")) {
            outline_ = polygonOf(listValue(value));
        }
        return;
    }
    keys_.insert(key, value);
}

bool StructLayout::finish()
{
    const QString section = section_;
    section_.clear();
    auto number = [this](const char* key) { return keys_.value(QLatin1String(key)).toInt(); };
    if (section == QLatin1String("button") || section == QLatin1String("switchone") ||
        section == QLatin1String("switchgrp") || section == QLatin1String("minimize") ||
        section == QLatin1String("close")) {
        Element element;
        element.kind = section == QLatin1String("button")      ? Kind::Button
                       : section == QLatin1String("switchone") ? Kind::Switch
                       : section == QLatin1String("switchgrp") ? Kind::Group
                                                               : Kind::System;
        element.screen = sectionScreen_;
        element.position = QPoint(number("vx"), number("vy"));
        element.line = sectionLine_;
        element.on = keys_.value(QStringLiteral("state")).toLower() == QLatin1String("on");
        element.caption = captionAtRest(section, element.on);
        for (const char* key : {"fn1", "fn2", "fn3", "fn4"}) {
            if (keys_.contains(QLatin1String(key))) {
                element.pictures.append(keys_.value(QLatin1String(key)));
            }
        }
        if (element.pictures.size() < 3) {
            error_ = QStringLiteral("the section of line %1 names fewer than three pictures")
                         .arg(sectionLine_);
            return false;
        }
        elements_.append(element);
    } else if (section == QLatin1String("_popup")) {
        Popup popup;
        popup.screen = sectionScreen_;
        popup.background = keys_.value(QStringLiteral("fnfon"));
        for (const char* key : {"fnbtnup", "fnbtnmove", "fnbtndown"}) {
            popup.itemPictures.append(listValue(keys_.value(QLatin1String(key))).value(0));
        }
        popup.outline = polygonOf(listValue(keys_.value(QStringLiteral("vertex"))));
        popups_.append(popup);
    } else if (keys_.contains(QStringLiteral("vw")) && keys_.contains(QStringLiteral("vh"))) {
        const QRect rect(QPoint(number("vx"), number("vy")),
                         QPoint(number("vw") - 1, number("vh") - 1));
        areas_.append(Area{section, sectionScreen_, rect});
    }
    return true;
}
