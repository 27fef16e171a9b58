#pragma once

#include <QString>

// The pieces of a command text: "word", "keyword=value" or
// "keyword=value=param". Value and param are path-expanded; the keyword is
// kept lower-cased for the keyword tests, the command itself unchanged.
struct TCommandText {
    explicit TCommandText(const QString& command);

    QString Command;
    QString Keyword; // lower-cased text before the first "="; empty without "="
    QString Value;   // between the first and the last "=" (or to the end)
    QString Param;   // after the last "=" when there are two or more

    bool Equals(const char* word) const;
    bool Contains(const char* word) const;
    bool KeywordEquals(const char* word) const;
    bool KeywordContains(const char* word) const;

    // From 1-based position p: skip to the first "-" or digit, read "-" and
    // digits and convert; -1 when nothing converts.
    static int NumberFrom(const QString& text, int position);
};
