#pragma once

#include <QByteArray>
#include <QString>

// What a reader sees of an HTML page, for the keyword index: its title and
// its text. The bytes are decoded as the page asks (a byte-order mark, else a
// charset declared in its head, else Windows-1251); tags, comments, scripts
// and style sheets are left out and character references decoded. Block
// tags separate words, inline tags (b, i, a, span, font ...) do not.
class IndexPageText {
public:
    explicit IndexPageText(const QByteArray& bytes);

    // The text of the first <title>, blanks collapsed; empty when none.
    const QString& title() const { return title_; }
    // Everything visible, the title included.
    const QString& text() const { return text_; }

    // The page's bytes as text.
    static QString decode(const QByteArray& bytes);
    // The charset a page declares in its first 8 KiB, lower-cased; "" if none.
    static QString declaredCharset(const QByteArray& bytes);

private:
    void parse(const QString& html);
    // Reads the markup at html[at] == '<'; returns where the text goes on.
    qsizetype markup(const QString& html, qsizetype at);
    // Notes an element's start or end; from..to is the tag itself.
    void element(const QString& name, bool closing, const QString& html, qsizetype from,
                 qsizetype to);

    QString title_;
    QString text_;
    QString raw_; // visible text before references are decoded
    qsizetype titleStart_ = -1;
};
