#include "data/ValueReaders.h"

#include "data/ProcessPaths.h"

#include <algorithm>
#include <limits>

namespace {

const QChar Semicolon = QLatin1Char(';');
const QChar Closing = QLatin1Char(']');
const QChar Backslash = QLatin1Char('\\');

// Character 0 ends a line as its real end does.
qsizetype lineLength(const QString& line)
{
    const qsizetype zero = line.indexOf(QChar(0));
    return zero < 0 ? line.size() : zero;
}

// A 1-based position computed in 64 bits, kept within int.
int clampPosition(qint64 position)
{
    return int(std::clamp<qint64>(position, 0, std::numeric_limits<int>::max()));
}

// The 0-based index of a 1-based position; positions below 1 read from the start.
qsizetype startIndex(int position)
{
    return position < 1 ? 0 : qsizetype(position) - 1;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isNumberChar(QChar c)
{
    return isDigit(c) || c == QLatin1Char('-');
}

bool isBlank(QChar c)
{
    return c.unicode() <= 32;
}

QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text[first])) {
        ++first;
    }
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    return text.mid(first, last - first);
}

// A signed decimal integer: an optional leading minus sign and at least one
// digit; anything else, or a value outside 32 bits, is -1.
qint32 parseInteger(const QString& text)
{
    const bool negative = text.startsWith(QLatin1Char('-'));
    const qsizetype first = negative ? 1 : 0;
    if (text.size() == first) {
        return -1;
    }
    const qint64 limit = qint64(std::numeric_limits<qint32>::max()) + (negative ? 1 : 0);
    qint64 value = 0;
    for (qsizetype i = first; i < text.size(); ++i) {
        if (!isDigit(text[i])) {
            return -1;
        }
        value = value * 10 + (text[i].unicode() - '0');
        if (value > limit) {
            return -1;
        }
    }
    return qint32(negative ? -value : value);
}

quint32 colourChannel(qint32 value)
{
    return quint32(value) & 0xFF;
}

} // namespace

qint32 ReadIntValue(const QString& line, int position)
{
    const qsizetype end = lineLength(line);
    qsizetype i = startIndex(position);
    while (i < end && !isNumberChar(line[i])) {
        ++i;
    }
    const qsizetype first = i;
    while (i < end && isNumberChar(line[i])) {
        ++i;
    }
    return parseInteger(line.mid(first, i - first));
}

QString ReadStrValue(const QString& line, int position)
{
    const qsizetype end = lineLength(line);
    const qsizetype first = startIndex(position);
    qsizetype i = first;
    while (i < end && line[i] != Semicolon) {
        ++i;
    }
    return i > first ? trimBlanks(line.mid(first, i - first)) : QString();
}

quint32 ReadColorValue(const QString& line, int position)
{
    const qsizetype end = lineLength(line);
    qsizetype i = startIndex(position);
    while (i < end && !isDigit(line[i])) {
        ++i;
    }
    const qint64 digit = qint64(i) + 1;
    const qint32 r = ReadIntValue(line, clampPosition(digit));
    const qint64 rLength = QString::number(r).size();
    const qint32 g = ReadIntValue(line, clampPosition(digit + rLength + 1));
    const qint64 gLength = QString::number(g).size();
    const qint32 b = ReadIntValue(line, clampPosition(digit + rLength + gLength + 2));
    return colourChannel(r) | colourChannel(g) << 8 | colourChannel(b) << 16;
}

TDynamicStringArray ReadListValue(const TDynamicStringArray& lines, int& lineIndex)
{
    TDynamicStringArray list;
    if (lineIndex < 0 || lineIndex >= lines.size()) {
        return list;
    }
    qsizetype pos = lines[lineIndex].left(lineLength(lines[lineIndex])).indexOf(QLatin1Char('['));
    if (pos < 0) {
        return list;
    }
    int index = lineIndex;
    qsizetype end = lineLength(lines[index]);
    ++pos;
    for (;;) {
        const QString& line = lines[index];
        const qsizetype first = pos;
        while (pos < end && line[pos] != Semicolon && line[pos] != Closing) {
            ++pos;
        }
        list.append(trimBlanks(line.mid(first, pos - first)));
        if (pos >= end) {
            if (index + 1 >= lines.size()) {
                break;
            }
            ++index;
            pos = 0;
            end = lineLength(lines[index]);
        } else if (line[pos] == Semicolon) {
            ++pos;
        }
        if (pos < end && lines[index][pos] == Closing) {
            break;
        }
    }
    lineIndex = index;
    for (QString& element : list) {
        element = ExpandPath(element);
    }
    return list;
}

QString ExpandPath(const QString& text)
{
    const ProcessPaths& paths = Paths();
    return ExpandPath(text, paths.AppDir, paths.CdRoot);
}

QString ExpandPath(const QString& text, const QString& appDir, const QString& cdRoot)
{
    const QString discMark = QStringLiteral("<cd>");
    const qsizetype mark = text.indexOf(discMark);
    if (mark >= 0) {
        return text.left(mark) + cdRoot + text.mid(mark + discMark.size());
    }
    if (text.contains(QStringLiteral(":\\"))) {
        return text;
    }
    if (!text.contains(QLatin1Char('.')) && !text.contains(Backslash)) {
        return text;
    }
    const qsizetype lastEquals = text.lastIndexOf(QLatin1Char('='));
    if (lastEquals >= 0) {
        return text.left(lastEquals + 1) + JoinPath(appDir, text.mid(lastEquals + 1));
    }
    return JoinPath(appDir, text);
}

namespace {

// The 0-based index of the backslash above which parent steps never climb:
// the one ending the first folder below the drive, else the drive root, else
// the first backslash. The base gains a backslash when it has none.
qsizetype anchorOf(QString& base)
{
    const qsizetype drive = base.indexOf(QStringLiteral(":\\"));
    if (drive >= 0) {
        const qsizetype folderEnd = base.indexOf(Backslash, drive + 2);
        return folderEnd >= 0 ? folderEnd : drive + 1;
    }
    const qsizetype first = base.indexOf(Backslash);
    if (first >= 0) {
        return first;
    }
    base.append(Backslash);
    return base.size() - 1;
}

// Removes "\..\" steps together with the folder before them; at or before the
// anchor only the step itself goes. Always the first step in the path goes
// first; copying character by character finds it without searching anew.
void collapseParentSteps(QString& path, qsizetype anchor)
{
    const QString parentStep = QStringLiteral("\\..\\");
    QString out;
    out.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        out.append(path[i]);
        if (!out.endsWith(parentStep)) {
            continue;
        }
        const qsizetype step = out.size() - parentStep.size();
        if (step <= anchor) {
            out.truncate(step + 1);
            continue;
        }
        const qsizetype previous = out.lastIndexOf(Backslash, step - 1);
        if (previous < 0) {
            out.append(QStringView(path).mid(i + 1));
            break;
        }
        out.truncate(previous + 1);
    }
    path = out;
}

} // namespace

QString JoinPath(const QString& base, const QString& relative)
{
    QString folder = base;
    const qsizetype anchor = anchorOf(folder);
    if (!folder.endsWith(Backslash)) {
        folder.append(Backslash);
    }
    const QString tail = trimBlanks(relative);
    QString path =
        tail.startsWith(Backslash) ? folder.left(anchor + 1) + tail.mid(1) : folder + tail;
    collapseParentSteps(path, anchor);
    return path;
}

QString KeyOfLine(const QString& text)
{
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    return equals < 0 ? QString() : text.left(equals);
}

QString ValueBetweenEquals(const QString& text)
{
    const qsizetype first = text.indexOf(QLatin1Char('='));
    if (first < 0) {
        return QString();
    }
    const qsizetype last = text.lastIndexOf(QLatin1Char('='));
    if (first == last) {
        return ExpandPath(text.mid(first + 1));
    }
    return ExpandPath(text.mid(first + 1, last - first - 1));
}

QString ValueAfterLastEquals(const QString& text)
{
    const qsizetype first = text.indexOf(QLatin1Char('='));
    const qsizetype last = text.lastIndexOf(QLatin1Char('='));
    if (first < 0 || first == last) {
        return QString();
    }
    return ExpandPath(text.mid(last + 1));
}

bool IndexOfInt(const TDynamicIntegerArray& values, qint32 value, int& index)
{
    const qsizetype found = values.indexOf(value);
    if (found < 0) {
        return false;
    }
    index = int(found);
    return true;
}

namespace {

QChar lowerAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ? QChar(c.unicode() + 32) : c;
}

bool equalIgnoringAsciiCase(const QString& a, const QString& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (lowerAsciiLetter(a[i]) != lowerAsciiLetter(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

bool ContainsText(const TDynamicStringArray& list, const QString& text)
{
    for (const QString& element : list) {
        if (equalIgnoringAsciiCase(element, text)) {
            return true;
        }
    }
    return false;
}
