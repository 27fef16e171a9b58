#pragma once

#include "engine/HtmlViewerTypes.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <litehtml.h>

// The form fields of a litehtml page as real Qt controls over their boxes:
// text and password fields, check boxes, radio buttons, buttons (submit,
// reset, image), text areas and single or multiple selection lists. The
// page's CSS gives their boxes; each control keeps to its box as the page
// scrolls or is laid out anew, and takes the page's colours and font size.
class LiteHtmlFormControls {
public:
    static constexpr int kMaxControls = 500; // a page's fields made controls

    // Makes the controls of a page, children of parent; none when widgets is
    // false (the lists are still read for list()).
    void build(const litehtml::document::ptr& document, QWidget* parent, bool widgets);
    void clear();
    // Puts every control over its box; scroll: the page point at the
    // parent's top-left corner.
    void place(QPoint scroll);

    // The selection lists with their entries and current choice.
    QList<FormControl> list() const;
    int count() const { return int(controls_.size()); }
    QWidget* control(int index) const { return controls_.at(index).widget; }

private:
    struct Control {
        litehtml::element::ptr element;
        QPointer<QWidget> widget;
        FormControl list; // kind "select" for selection lists
    };

    static QWidget* makeWidget(const litehtml::element::ptr& element, const FormControl& list,
                               QWidget* parent);
    static FormControl readList(const litehtml::element::ptr& select);

    QList<Control> controls_;
};
