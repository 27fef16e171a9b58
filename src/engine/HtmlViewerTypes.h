#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

// Values the shell hands to and gets from an HTML viewer.

// Default look of pages that do not set their own.
struct ViewerDefaults {
    QString fontName = QStringLiteral("Arial");
    int fontSize = 8; // points
    QColor fontColor = Qt::black;
    QColor linkColor = QColor(0x66, 0x33, 0x00);
    QColor hotLinkColor = QColor(255, 0, 0); // link under the mouse
    QColor visitedColor = QColor(0x80, 0x00, 0x80);
    QColor background = Qt::white;
};

// How a viewer is created.
struct ViewerOptions {
    int historyMaxCount = 10; // 0: no history
    int visitedMaxCount = 20;
    bool showImages = true;
    bool underlineLinks = true;
    bool buildFrames = true;  // framesets as nested viewers
    bool formControls = true; // drop-down lists as real controls
    bool hotLinks = true;     // a link under the mouse takes the hot colour
    bool styleLinks = true;   // links take the default colour and underline

    // The invisible viewer of page searches: no history, no images, no
    // controls, and none of the work that only shows.
    static ViewerOptions forSearch()
    {
        ViewerOptions options;
        options.historyMaxCount = 0;
        options.showImages = false;
        options.buildFrames = false;
        options.formControls = false;
        options.hotLinks = false;
        options.styleLinks = false;
        return options;
    }
};

// What lies under a point of a viewer.
struct ViewerObject {
    enum Kind { None, Text, Image };
    Kind kind = None;
    quint64 id = 0;      // same object, same id, while the page stays loaded
    QString imageSource; // src as written in the page
    QString hint;        // the image's title, else its alt text
    QString linkUrl;     // href as written, when the object is inside a link
    QString linkTarget;

    bool isImage() const { return kind == Image; }
    bool hasHint() const { return kind == Image && !hint.isEmpty(); }
};

// A form control of the page shown.
struct FormControl {
    QString name;
    QString kind = QStringLiteral("select");
    QStringList items;
    int selectedIndex = -1;

    QString selectedText() const
    {
        return selectedIndex >= 0 && selectedIndex < items.size() ? items.at(selectedIndex)
                                                                  : QString();
    }
};

// A page as a page printer lays it out itself: its file, against which its
// links resolve, and its HTML as the viewer showed it. An empty file: none.
struct PrintablePage {
    QString file;
    QString html;
    QString style; // the viewer's default rules, before the page's own
};
