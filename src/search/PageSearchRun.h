#pragma once

#include <QPointer>
#include <QString>

class QWidget;
class THtmlViewer;

// One page walk or archive scan. Raises the busy flag for its lifetime (the
// shell shows the hourglass and drops commands meanwhile) and searches the
// pages in one invisible viewer, made on first use and reused for every page:
// no history, no images, so a page costs one parse and layout of its text.
class TPageSearchRun {
public:
    explicit TPageSearchRun(QWidget* viewerParent);
    ~TPageSearchRun();
    TPageSearchRun(const TPageSearchRun&) = delete;
    TPageSearchRun& operator=(const TPageSearchRun&) = delete;

    // Loads the page and looks for the text in it. A page that cannot be
    // loaded does not contain it: the page searched before stays in the
    // viewer and must not answer for it.
    bool PageContains(const QString& page, const QString& text, bool caseSensitive);

private:
    QPointer<QWidget> parent_;
    QPointer<THtmlViewer> viewer_;
};
