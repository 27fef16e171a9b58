#pragma once

#include "engine/HtmlPreprocessor.h"
#include "engine/HtmlViewerTypes.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>

class QComboBox;
class QFont;
class QTextBrowser;
class QTextDocument;

// The drop-down lists of a page as real combo boxes over the text. Each list
// stands in the text as a picture of its size; the box is kept on top of that
// picture as the page scrolls or is laid out anew, and the picture shows the
// selected entry, so printing sees it too.
class FormControls : public QObject {
    Q_OBJECT
public:
    explicit FormControls(QTextBrowser* browser);
    ~FormControls() override;

    static QSize PlaceholderSize(const PageSelect& select, const QFont& font);

    // Before the page text is set: the placeholder pictures.
    static void AddFaces(QTextDocument& document, const QList<PageSelect>& selects);
    // After: the boxes themselves (none when widgets is false).
    void build(const QList<PageSelect>& selects, bool widgets);
    void clear();
    void place();

    QList<FormControl> list() const;
    // Document rectangle of control index, empty when not laid out.
    QRect controlRect(int index) const;

private:
    struct Control {
        PageSelect select;
        int position = -1; // of its placeholder character
        QPointer<QComboBox> box;
    };

    void findPlaceholders();
    void selectionChanged(int index);

    QTextBrowser* browser_;
    QList<Control> controls_;
};
