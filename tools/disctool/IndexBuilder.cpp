#include "IndexBuilder.h"

#include "platform/CodePage.h"
#include "search/index/IndexLines.h"

#include <array>

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");
constexpr char16_t CyrillicFirst = 0x0400;
constexpr char16_t CyrillicLast = 0x04FF;

// Cyrillic letters that Windows-1251 holds.
const std::array<bool, CyrillicLast - CyrillicFirst + 1>& cyrillicLetters()
{
    static const auto table = [] {
        std::array<bool, CyrillicLast - CyrillicFirst + 1> letters{};
        for (char16_t u = CyrillicFirst; u <= CyrillicLast; ++u) {
            const QChar c(u);
            letters[u - CyrillicFirst] = c.isLetter() && CodePage::canEncodeCp1251(QString(c));
        }
        return letters;
    }();
    return table;
}

bool isWordCharacter(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 128) {
        return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
    }
    return u >= CyrillicFirst && u <= CyrillicLast && cyrillicLetters()[u - CyrillicFirst];
}

// Marks inside a word that a reader does not see as breaking it: the soft
// hyphen and the stress accents.
bool isInvisibleInWord(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0x00AD || u == 0x0300 || u == 0x0301;
}

QByteArray linesOf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += CodePage::toCp1251(line) + LineEnd;
    }
    return bytes;
}

} // namespace

bool IndexBuilder::canFile(const QString& path)
{
    return !path.isEmpty() && CodePage::canEncodeCp1251(path) &&
           !path.contains(IndexLines::TitleSeparator) && !path.contains(QLatin1Char('\r')) &&
           !path.contains(QLatin1Char('\n')) && path.trimmed() == path;
}

QString IndexBuilder::fileableTitle(const QString& title)
{
    QString text = title.simplified();
    while (text.contains(IndexLines::TitleSeparator)) {
        text.replace(IndexLines::TitleSeparator, QStringLiteral("#: #"));
    }
    return text;
}

QStringList IndexBuilder::wordsOf(const QString& text)
{
    QStringList words;
    QString word;
    bool tooLong = false;
    const auto finish = [&] {
        if (word.size() >= 2 && !tooLong) {
            words.append(word);
        }
        word.clear();
        tooLong = false;
    };
    for (const QChar c : text) {
        if (isWordCharacter(c)) {
            tooLong = tooLong || word.size() >= MaxWordLength;
            if (!tooLong) {
                word += c.toLower();
            }
        } else if (!isInvisibleInWord(c) || word.isEmpty()) {
            finish();
        }
    }
    finish();
    return words;
}

void IndexBuilder::addPage(const QString& path, const QString& title, const QString& text)
{
    paths_.append(path);
    titles_.append(fileableTitle(title));
    const auto page = qint32(paths_.size());
    for (const QString& word : wordsOf(text)) {
        file(word, page);
        if (word.contains(u'ё')) {
            file(QString(word).replace(u'ё', u'е'), page);
        }
    }
}

void IndexBuilder::file(const QString& keyword, qint32 page)
{
    QList<qint32>& pages = pagesByKeyword_[keyword];
    if (pages.isEmpty() || pages.last() != page) {
        pages.append(page);
    }
}

QByteArray IndexBuilder::keywordsFile() const
{
    QStringList lines;
    for (const auto& entry : pagesByKeyword_) {
        lines.append(entry.first);
    }
    return linesOf(lines);
}

QByteArray IndexBuilder::pageListsFile() const
{
    QByteArray bytes;
    for (const auto& entry : pagesByKeyword_) {
        QByteArray line;
        for (const qint32 page : entry.second) {
            line +=
                (line.isEmpty() ? QByteArray() : QByteArrayLiteral(":")) + QByteArray::number(page);
        }
        bytes += line + LineEnd;
    }
    return bytes;
}

QByteArray IndexBuilder::pagesFile() const
{
    QStringList lines;
    for (qsizetype i = 0; i < paths_.size(); ++i) {
        lines.append(paths_.at(i) + IndexLines::TitleSeparator + titles_.at(i));
    }
    return linesOf(lines);
}
