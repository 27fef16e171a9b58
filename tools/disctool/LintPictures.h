#pragma once

#include "data/ReadBin.h"
#include "interface/InterfaceDescription.h"

#include <QHash>
#include <QStringList>

// The pictures an interface description names (element states, popup
// backgrounds and items, screen backgrounds, the icon) checked against the
// resource container. Each missing name is reported once, with the first
// element that uses it.
class LintPictures {
public:
    explicit LintPictures(const TReadBin& container) : container_(container) {}

    // One warning line per missing picture or element without a picture name.
    QStringList check(const TInterfaceDescription& description);

private:
    void checkButtons(const TDynamicBtnArray& buttons, int screen);
    template <typename R>
    void checkSwitches(const QList<R>& switches, int screen, const char* kind);
    void checkPopups(const TDynamicPopupArray& popups, int screen);
    void checkSystemButton(const RBtn& button, const QString& section);
    // A picture named in a field of an element; an empty name is reported.
    void use(const QString& name, const QString& element, const char* field);
    void useAll(const TDynamicStringArray& paths, const QString& element, const char* field);
    QStringList warnings() const;

    struct Use {
        QString user;
        int count = 0;
    };
    const TReadBin& container_;
    QStringList missingOrder_;
    QHash<QString, Use> missing_;
    QStringList unnamed_;
};
