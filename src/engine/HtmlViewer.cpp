#include "engine/HtmlViewer.h"

#include "engine/LiteHtmlViewer.h"
#include "engine/TextBrowserViewer.h"

namespace {

// The page engine: litehtml when DISCSHELL_HTML_ENGINE says "litehtml", the
// text browser otherwise, until every viewer need is met on litehtml.
bool useLiteHtml()
{
    static const bool lite =
        qEnvironmentVariable("DISCSHELL_HTML_ENGINE") == QLatin1String("litehtml");
    return lite;
}

THtmlViewer* createViewer(QWidget* parent, const ViewerOptions& options)
{
    if (useLiteHtml()) {
        return new LiteHtmlViewer(parent, options);
    }
    return new TextBrowserViewer(parent, options);
}

} // namespace

THtmlViewer* CreateHtmlViewer(QWidget* parent, const ViewerOptions& options)
{
    return createViewer(parent, options);
}

THtmlViewer* CreateSearchViewer(QWidget* parent)
{
    THtmlViewer* viewer = createViewer(parent, ViewerOptions::forSearch());
    viewer->setVisible(false);
    viewer->resize(0, 0);
    return viewer;
}
