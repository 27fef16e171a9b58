#pragma once

#include "data/DynamicArrays.h"
#include "interface/InterfaceRecords.h"

#include <QLatin1String>
#include <QList>
#include <span>

// The value of a key found in a line, read by the rules of its kind: numbers
// and colours are the next ones from the key on, strings and lists start one
// character after the key name.
class TKeyValue {
public:
    TKeyValue(const TDynamicStringArray& lines, int& lineIndex, int position, int keyLength);

    qint32 Int() const;
    QString Str() const;
    QString Expanded() const;
    TColor Colour() const;
    // True when the value is "on" in any letter case.
    bool Flag() const;
    // The words bold, italic, underline and strikeout anywhere in the value.
    TFontStyles Style() const;
    // A bracketed list; moves the line index to the line of the closing bracket.
    TDynamicStringArray List() const;
    // The line from the key on.
    QString Rest() const;

private:
    const QString& line() const { return lines_[lineIndex_]; }

    const TDynamicStringArray& lines_;
    int& lineIndex_;
    int position_; // 1-based position of the key name
    int keyLength_;
};

// One key of a section and where its value goes.
template <typename R> struct TKeyRule {
    const char* Key;
    void (*Store)(R& record, const TKeyValue& value);
};

// Reads a section's keys from the lines by the scanning rule: the required
// keys in order, each in the current line or a following one; a line that
// lacks the awaited key is searched for the optional keys and left behind.
// The line that holds the last required key ends the section.
class TSectionScanner {
public:
    TSectionScanner(const TDynamicStringArray& lines, int firstLine);

    // The current line: after a complete scan, the line of the last key.
    int Line() const { return line_; }
    // Lines left behind without a required key or value read from them.
    const QList<int>& SkippedLines() const { return skipped_; }
    // The required key that never came; empty after a complete scan.
    const QString& MissingKey() const { return missingKey_; }

    template <typename R>
    bool Scan(std::span<const TKeyRule<R>> required, std::span<const TKeyRule<R>> optional,
              R& record);

private:
    // Finds key in the current or a following line and returns its 1-based
    // position; 0 when the lines end first.
    template <typename R>
    int await(const char* key, std::span<const TKeyRule<R>> optional, R& record);
    template <typename R> void readOptional(std::span<const TKeyRule<R>> optional, R& record);
    int positionOf(const char* key) const;

    const TDynamicStringArray& lines_;
    int line_;
    int valueLine_ = -1; // the line where the last value read ended
    QList<int> skipped_;
    QString missingKey_;
};

template <typename R>
bool TSectionScanner::Scan(std::span<const TKeyRule<R>> required,
                           std::span<const TKeyRule<R>> optional, R& record)
{
    for (const TKeyRule<R>& rule : required) {
        const int position = await(rule.Key, optional, record);
        if (position == 0) {
            missingKey_ = QLatin1String(rule.Key);
            return false;
        }
        rule.Store(record, TKeyValue(lines_, line_, position, int(qstrlen(rule.Key))));
        valueLine_ = line_;
    }
    return true;
}

template <typename R>
int TSectionScanner::await(const char* key, std::span<const TKeyRule<R>> optional, R& record)
{
    while (line_ < lines_.size()) {
        const int position = positionOf(key);
        if (position > 0) {
            return position;
        }
        readOptional(optional, record);
        if (line_ != valueLine_) {
            skipped_.append(line_);
        }
        ++line_;
    }
    return 0;
}

template <typename R>
void TSectionScanner::readOptional(std::span<const TKeyRule<R>> optional, R& record)
{
    for (const TKeyRule<R>& rule : optional) {
        const int position = positionOf(rule.Key);
        if (position > 0) {
            int line = line_; // optional values never move the scan
            rule.Store(record, TKeyValue(lines_, line, position, int(qstrlen(rule.Key))));
        }
    }
}
