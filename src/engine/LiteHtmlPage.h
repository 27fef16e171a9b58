#pragma once

#include "engine/LiteHtmlContainer.h"

#include <QRect>
#include <QString>
#include <memory>

// One page in litehtml: its HTML made CSS by PresentationalCss, parsed with
// the user-agent style sheet, laid out at a width and drawn with a QPainter.
// Needs no widgets, so tools and the fuzzer draw pages into pictures.
class LiteHtmlPage {
public:
    static constexpr int kMaxWidth = 32767; // px a page is laid out at

    LiteHtmlPage(std::shared_ptr<HtmlResources> resources, const QString& pageFile,
                 const ViewerDefaults& defaults,
                 LiteHtmlContainer::Media media = LiteHtmlContainer::Media::Screen);
    ~LiteHtmlPage();

    // html: the page's text as written; userStyle: the viewer's defaults,
    // read as part of the user-agent style sheet so that any rule of the
    // page wins over them, however specific.
    void load(const QString& html, const QString& userStyle = QString());
    // Lays the page out for a viewport; the page's height.
    int layout(QSize viewport);
    QSize size() const;
    // Draws the part of the page in clip (page coordinates) with the page's
    // top-left corner at origin of the painter.
    void draw(QPainter& painter, QPoint origin, const QRect& clip);

    LiteHtmlContainer& container() { return container_; }
    const litehtml::document::ptr& document() const { return document_; }
    // Whether the page's text names a form field; the others need no search
    // for fields.
    bool mayHaveFormFields() const { return mayHaveFormFields_; }

private:
    LiteHtmlContainer container_;
    litehtml::document::ptr document_;
    bool mayHaveFormFields_ = false;
};

// A page drawn into a picture of the viewport's size (the tool's render and
// the fuzzer).
QImage RenderPage(const QString& pageFile, const QString& html, QSize viewport,
                  const ViewerDefaults& defaults = {});
