#include "search/PageSearchRun.h"

#include "data/Busy.h"
#include "engine/HtmlViewer.h"

TPageSearchRun::TPageSearchRun(QWidget* viewerParent) : parent_(viewerParent)
{
    SetBusy(true);
}

TPageSearchRun::~TPageSearchRun()
{
    delete viewer_.data();
    SetBusy(false);
}

bool TPageSearchRun::PageContains(const QString& page, const QString& text, bool caseSensitive)
{
    if (page.isEmpty() || text.isEmpty()) {
        return false;
    }
    if (!viewer_) {
        viewer_ = CreateSearchViewer(parent_.data());
    }
    return viewer_->loadFile(page) && viewer_->findNext(text, caseSensitive);
}
