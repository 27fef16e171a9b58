#include "engine/HtmlViewer.h"

#include "engine/LiteHtmlViewer.h"

THtmlViewer* CreateHtmlViewer(QWidget* parent, const ViewerOptions& options)
{
    return new LiteHtmlViewer(parent, options);
}

THtmlViewer* CreateSearchViewer(QWidget* parent)
{
    THtmlViewer* viewer = new LiteHtmlViewer(parent, ViewerOptions::forSearch());
    viewer->setVisible(false);
    viewer->resize(0, 0);
    return viewer;
}
