#include "install/archive/ArchiveListing.h"

#include "install/archive/ArchivePaths.h"
#include "platform/CodePage.h"

#include <algorithm>

using namespace ArchivePaths;

namespace {

const QString Crlf = QStringLiteral("\r\n");

const QString Template1 = QStringLiteral(
    "<html> <head> <title>archivename</title> </head> <frameset rows=\"50,*\" frameborder=0> "
    "<frame src=\"as_bar.htm\" name=\"Top\"> <frame src=\"filename\" name=\"Bot\"> </frameset> "
    "</head> </html>");
const QString Template2 = QStringLiteral(
    "<html> <head> <meta http-equiv=\"Content-Type\" content=\"text/html; "
    "charset=windows-1251\"> <title>archivename</title> </head> <body bgcolor=\"#FFFFFF\" "
    "text=\"#000000\"> <table border=\"0\" cellpadding=3 width=\"100%\" cols=\"3\">");
const QString Template3 = QStringLiteral(
    "<table border cellpadding=3 width=\"100%\" cols=\"3\" bordercolor=\"#37ffcd\"> <tr> <th "
    "align=\"left\" width=\"50%\" nowrap>Имя</th> <th align=\"right\" width=\"25%\" "
    "nowrap>Размер</th> <th align=\"left\" width=\"25%\" nowrap>Дата</th> </tr>");
const QString Template4 = QStringLiteral("<tr> <td width=\"50%\"><a href=\"reffile\">");
const QString Template5 = QStringLiteral("refname</a></td>");
const QString Template6 =
    QStringLiteral("<td align=\"right\" width=\"25%\">size</td> <td width=\"25%\">time</td> </tr>");
const QString Template7 = QStringLiteral("</table> </body> </html>");

const QString ArchiveCaption = QStringLiteral("Содержимое архива: ");

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Names are the archive's, not markup.
QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

} // namespace

TArchiveListing::TArchiveListing(QString archivePath, const QList<RArchiveHeader>& entries,
                                 quint32 stamp, QLocale locale)
    : archivePath_(std::move(archivePath)), locale_(std::move(locale))
{
    CollectFolders(entries);
    AddMissingFolders();
    BuildPages(stamp);
}

void TArchiveListing::CollectFolders(const QList<RArchiveHeader>& entries)
{
    folders_.append(RListDir());
    for (const RArchiveHeader& entry : entries) {
        if (entry.Folder) {
            if (FolderIndex(entry.Name) < 0) {
                folders_.append({entry.Name, entry.Time});
            }
        } else {
            files_.append(entry);
        }
    }
}

// Folders that hold files or folders but have no entry of their own get one,
// with the time of the first thing found in them; the walk takes in the
// folders it appends.
void TArchiveListing::AddMissingFolders()
{
    for (const RArchiveHeader& file : files_) {
        const QString folder = FolderOf(file.Name);
        if (FolderIndex(folder) < 0) {
            folders_.append({folder, file.Time});
        }
    }
    for (qsizetype i = 0; i < folders_.size(); ++i) {
        const QString parent = FolderOf(folders_.at(i).Name);
        if (FolderIndex(parent) < 0) {
            folders_.append({parent, folders_.at(i).Time});
        }
    }
}

int TArchiveListing::FolderIndex(const QString& name) const
{
    for (qsizetype i = 0; i < folders_.size(); ++i) {
        if (sameName(folders_.at(i).Name, name)) {
            return int(i);
        }
    }
    return -1;
}

void TArchiveListing::BuildPages(quint32 stamp)
{
    for (qsizetype n = 0; n < folders_.size(); ++n) {
        RInfoFiles page;
        page.Dir = folders_.at(n).Name;
        page.Page = QStringLiteral("as_%1%2.htm").arg(n).arg(stamp);
        pages_.append(page);
    }
    for (qsizetype n = 0; n < folders_.size(); ++n) {
        RInfoFiles& page = pages_[n];
        page.Rows = SubfolderRows(int(n));
        for (const RArchiveHeader& file : files_) {
            if (sameName(FolderOf(file.Name), page.Dir)) {
                page.Rows.append(
                    {file.Name, FileNameOf(file.Name), SizeText(file.Size, locale_), file.Time});
            }
        }
    }
}

// ".." first (to the root when the parent has no page), then the folders
// directly inside, in the order of the list.
QList<TArchiveListing::RListRow> TArchiveListing::SubfolderRows(int folder) const
{
    QList<RListRow> rows;
    const QString& dir = folders_.at(folder).Name;
    if (folder != 0 && !dir.isEmpty()) {
        const int parent = std::max(FolderIndex(FolderOf(dir)), 0);
        rows.append({pages_.at(parent).Page, QStringLiteral(".."), QString(), 0});
    }
    for (qsizetype l = 0; l < folders_.size(); ++l) {
        const RListDir& other = folders_.at(l);
        if (l != folder && !other.Name.isEmpty() && sameName(FolderOf(other.Name), dir)) {
            rows.append({pages_.at(l).Page, FileNameOf(other.Name), QString(), other.Time});
        }
    }
    return rows;
}

QString TArchiveListing::FramesetPage() const
{
    return QStringLiteral("as_") + FileNameOf(archivePath_) + QStringLiteral(".htm");
}

QMap<QString, QByteArray> TArchiveListing::Pages() const
{
    QMap<QString, QByteArray> pages;
    const QString caption = ArchiveCaption + archivePath_;
    pages.insert(
        FramesetPage(),
        CodePage::toCp1251(
            Fill(Template1, {{"archivename", caption}, {"filename", pages_.at(0).Page}}) + Crlf));
    pages.insert(QStringLiteral("as_bar.htm"),
                 CodePage::toCp1251(Template2 + Crlf + Template3 + Crlf + Template7 + Crlf));
    for (const RInfoFiles& page : pages_) {
        pages.insert(page.Page, FolderPage(page));
    }
    return pages;
}

QByteArray TArchiveListing::FolderPage(const RInfoFiles& page) const
{
    QString text = Fill(Template2, {{"archivename", ArchiveCaption + archivePath_}}) + Crlf;
    for (const RListRow& row : page.Rows) {
        text += RowLine(row) + Crlf;
    }
    text += Template7 + Crlf;
    return CodePage::toCp1251(text);
}

QString TArchiveListing::RowLine(const RListRow& row) const
{
    return Fill(Template4 + Template5 + Template6, {{"reffile", escaped(row.Link)},
                                                    {"refname", escaped(row.Text)},
                                                    {"size", row.Size},
                                                    {"time", TimeText(row.Time, locale_)}});
}

QString TArchiveListing::Fill(const QString& text, const QList<std::pair<QString, QString>>& values)
{
    QList<std::pair<qsizetype, qsizetype>> places; // position, value index
    for (qsizetype i = 0; i < values.size(); ++i) {
        const qsizetype at = text.indexOf(values.at(i).first);
        if (at >= 0) {
            places.append({at, i});
        }
    }
    std::sort(places.begin(), places.end());
    QString filled;
    qsizetype done = 0;
    for (const auto& [at, i] : places) {
        if (at < done) {
            continue; // inside a placeholder replaced already
        }
        filled += text.mid(done, at - done) + values.at(i).second;
        done = at + values.at(i).first.size();
    }
    return filled + text.mid(done);
}

QString TArchiveListing::SizeText(qint64 size, const QLocale& locale)
{
    if (size < 1000) {
        return QString::number(size) + QStringLiteral(" байт");
    }
    qint64 thousands = size / 1000;
    const qint64 rest = size % 1000;
    if (rest > 500 || (rest == 500 && thousands % 2 == 1)) {
        ++thousands;
    }
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(thousands) + QStringLiteral(" Кбайт");
}

QString TArchiveListing::TimeText(quint32 time, const QLocale& locale)
{
    const QDateTime when = FromDosDateTime(time);
    if (time == 0 || !when.isValid()) {
        return QString();
    }
    return when.toString(QStringLiteral("dd ")) +
           locale.monthName(when.date().month(), QLocale::ShortFormat) +
           when.toString(QStringLiteral(" yy hh:mm"));
}
