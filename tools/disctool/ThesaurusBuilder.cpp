#include "ThesaurusBuilder.h"

#include "platform/CodePage.h"

#include <QStringDecoder>
#include <algorithm>
#include <numeric>

const QString ThesaurusBuilder::Folder = QStringLiteral("tezaurus");
const QString ThesaurusBuilder::StartPage = QStringLiteral("tezaurus\\index.htm");

namespace {

const QString Crlf = QStringLiteral("\r\n");

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString pageHead(const QString& title)
{
    return QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                          "charset=windows-1251\"><title>%1</title></head>")
               .arg(escaped(title)) +
           Crlf + QStringLiteral("<body bgcolor=\"#FFFFFF\" text=\"#000000\">") + Crlf;
}

QString pageTail()
{
    return QStringLiteral("</body></html>") + Crlf;
}

} // namespace

bool ThesaurusBuilder::parse(const QByteArray& source, int limit)
{
    QList<QByteArray> raw = source.split('\n');
    const QString encoding = QString::fromLatin1(raw.value(0)).trimmed();
    QStringDecoder decoder(encoding.toLatin1().constData());
    if (encoding.isEmpty() || !decoder.isValid()) {
        error_ = QStringLiteral("unknown encoding \"%1\" on the first line").arg(encoding);
        return false;
    }
    QStringList lines;
    for (qsizetype i = 1; i < raw.size(); ++i) {
        QString line = decoder.decode(raw.at(i));
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        lines.append(line);
    }
    qsizetype index = 0;
    int read = 0;
    while (index < lines.size() && (limit <= 0 || read < limit)) {
        if (lines.at(index).trimmed().isEmpty()) {
            ++index;
            continue;
        }
        if (!parseEntry(lines, index)) {
            return false;
        }
        ++read;
    }
    return true;
}

// "word|count" and its count meaning lines.
bool ThesaurusBuilder::parseEntry(const QStringList& lines, qsizetype& index)
{
    const QString head = lines.at(index);
    const qsizetype bar = head.lastIndexOf(QLatin1Char('|'));
    bool ok = false;
    const int count = bar > 0 ? head.mid(bar + 1).trimmed().toInt(&ok) : 0;
    if (!ok || count < 0) {
        error_ = QStringLiteral("line %1: \"word|count\" expected").arg(index + 2);
        return false;
    }
    Entry entry;
    entry.term = head.left(bar).trimmed();
    for (int i = 1; i <= count; ++i) {
        if (index + i >= lines.size()) {
            error_ = QStringLiteral("line %1: the meanings of \"%2\" end early")
                         .arg(index + i + 2)
                         .arg(entry.term);
            return false;
        }
        QStringList parts = lines.at(index + i).split(QLatin1Char('|'));
        Meaning meaning;
        meaning.kind = parts.takeFirst().trimmed();
        for (const QString& synonym : parts) {
            if (!synonym.trimmed().isEmpty()) {
                meaning.synonyms.append(synonym.trimmed());
            }
        }
        entry.meanings.append(meaning);
    }
    index += count + 1;
    addEntry(std::move(entry));
    return true;
}

// The same term twice (in any letter case) becomes one entry with all meanings.
void ThesaurusBuilder::addEntry(Entry entry)
{
    if (entry.term.isEmpty() || entry.term.contains(QLatin1Char('~')) ||
        entry.term.at(0).unicode() <= ' ' || !CodePage::canEncodeCp1251(entry.term)) {
        ++skipped_;
        return;
    }
    const QString key = entry.term.toLower();
    const auto known = byKey_.constFind(key);
    if (known != byKey_.cend()) {
        entries_[*known].meanings.append(entry.meanings);
        return;
    }
    byKey_.insert(key, entries_.size());
    entries_.append(std::move(entry));
}

QString ThesaurusBuilder::pageOf(qsizetype entryIndex) const
{
    return Folder + QStringLiteral("\\t%1.htm")
                        .arg(entryIndex / EntriesPerPage + 1, 4, 10, QLatin1Char('0'));
}

QMap<QString, QByteArray> ThesaurusBuilder::files() const
{
    QMap<QString, QByteArray> files;
    for (qsizetype first = 0; first < entries_.size(); first += EntriesPerPage) {
        const qsizetype last = std::min(first + EntriesPerPage, entries_.size());
        files.insert(pageOf(first), termPage(first, last));
    }
    files.insert(StartPage, startPage());
    files.insert(QStringLiteral("tezaurus.idx"), indexFile());
    return files;
}

// Each entry: an anchor, the heading "~ term", and one line per meaning with
// links to the synonyms the thesaurus holds as terms.
QByteArray ThesaurusBuilder::termPage(qsizetype first, qsizetype last) const
{
    QString text = pageHead(QStringLiteral("Тезаурус"));
    for (qsizetype i = first; i < last; ++i) {
        const Entry& entry = entries_.at(i);
        text +=
            QStringLiteral("<a name=\"t%1\"></a><h3>~ %2</h3>").arg(i).arg(escaped(entry.term)) +
            Crlf;
        for (const Meaning& meaning : entry.meanings) {
            QStringList links;
            for (const QString& synonym : meaning.synonyms) {
                const auto target = byKey_.constFind(synonym.toLower());
                links.append(target == byKey_.cend()
                                 ? escaped(synonym)
                                 : QStringLiteral("<a href=\"%1#t%2\">%3</a>")
                                       .arg(pageOf(*target).section(QLatin1Char('\\'), -1))
                                       .arg(*target)
                                       .arg(escaped(synonym)));
            }
            text += QStringLiteral("<p>%1 %2</p>")
                        .arg(escaped(meaning.kind), links.join(QStringLiteral(", "))) +
                    Crlf;
        }
    }
    text += pageTail();
    return CodePage::toCp1251(text);
}

QByteArray ThesaurusBuilder::startPage() const
{
    QString text = pageHead(QStringLiteral("Тезаурус"));
    text += QStringLiteral("<h2>Тезаурус</h2>") + Crlf;
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        text += QStringLiteral("<a href=\"%1#t%2\">%3</a><br>")
                    .arg(pageOf(i).section(QLatin1Char('\\'), -1))
                    .arg(i)
                    .arg(escaped(entries_.at(i).term)) +
                Crlf;
    }
    text += pageTail();
    return CodePage::toCp1251(text);
}

// Longer keys first: a key the lookup finds inside a word is then never
// shorter than the word's own key.
QByteArray ThesaurusBuilder::indexFile() const
{
    QList<qsizetype> order(entries_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](qsizetype a, qsizetype b) {
        const QString& left = entries_.at(a).term;
        const QString& right = entries_.at(b).term;
        return left.size() != right.size() ? left.size() > right.size()
                                           : left.toLower() < right.toLower();
    });
    QString text = QStringLiteral(" тезаурус~") + StartPage + Crlf;
    for (const qsizetype i : order) {
        text += entries_.at(i).term.toLower() + QLatin1Char('~') + pageOf(i) +
                QStringLiteral("#t%1").arg(i) + Crlf;
    }
    return CodePage::toCp1251(text);
}
