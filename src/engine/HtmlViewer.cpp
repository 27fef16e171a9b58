#include "engine/HtmlViewer.h"

#include "engine/TextBrowserViewer.h"

THtmlViewer* CreateHtmlViewer(QWidget* parent, const ViewerOptions& options)
{
    return new TextBrowserViewer(parent, options);
}

THtmlViewer* CreateSearchViewer(QWidget* parent)
{
    THtmlViewer* viewer = new TextBrowserViewer(parent, ViewerOptions::forSearch());
    viewer->setVisible(false);
    viewer->resize(0, 0);
    return viewer;
}
