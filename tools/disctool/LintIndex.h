#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class IndexDisc;

// Consistency of a disc's keyword index: the three files all there or all
// absent, one page list per keyword, page numbers within files.idx, every
// page of files.idx present, no keyword listed twice (only its first line is
// ever searched). A final empty line after a closing line end is not counted.
class LintIndex {
public:
    explicit LintIndex(const IndexDisc& disc) : disc_(disc) {}

    // One warning line each ("files.idx:3: warning: ..."); at most a few of
    // each kind, then how many more there were.
    QStringList check();

    static constexpr int MaxWarningsOfAKind = 20;

private:
    // Reads a file line by line; nullopt (after a warning) when unreadable.
    std::optional<qint64> readLines(const QString& name,
                                    const std::function<void(qint64, const QString&)>& take);
    void checkKeywords();
    void checkPages();
    void checkPageLists();
    // kind: the file and what is wrong with it, for the count of the rest.
    void warn(const QString& kind, const QString& line);
    void summarize();

    const IndexDisc& disc_;
    qint64 keywordCount_ = 0;
    qint64 pageCount_ = 0;
    qint64 pageListCount_ = 0;
    QStringList warnings_;
    QStringList kinds_;
    QHash<QString, int> warningsOfKind_;
};
