#pragma once

#include <QColor>
#include <QList>
#include <QMap>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <QStringList>

// What the picture generator needs to know of the interface description
// (resources/Struct.txt, one key per line): the window outline, the
// background of each screen, where each control stands and which pictures it
// names, the areas of panels and fields, and the popup pictures. Reading it
// from the description keeps one source for every position.
//
// The reader also guards the description against the two traps of its key
// scanning: a global key word (title, icon, close, ...) inside any other line,
// and a section word (button, _text, ...) anywhere but at the start of a
// section line.
class StructLayout {
public:
    enum class Kind { Button, Switch, Group, System };

    // The caption the shell paints on an element's picture at rest.
    struct Caption {
        QString text;
        QRect rect; // relative to the element
        QString font;
        int pointSize = 0;
        bool bold = false;
        QColor color;
    };

    struct Element {
        Kind kind = Kind::Button;
        int screen = 0; // from 1; 0 for the system buttons shown on every screen
        QPoint position;
        QStringList pictures; // fn1, fn2, fn3 (and fn4)
        bool on = false;      // a switch that starts switched on
        Caption caption;
        int line = 0;
    };

    struct Area {
        QString section; // "_html", "_image", ...
        int screen = 0;
        QRect rect;
    };

    struct Popup {
        int screen = 0;
        QString background;
        QStringList itemPictures; // up, move, down
        QPolygon outline;
    };

    bool read(const QString& path);
    QString errorString() const { return error_; }

    QPolygon windowOutline() const { return outline_; }
    QMap<int, QString> backgrounds() const { return backgrounds_; }
    QList<Element> elements() const { return elements_; }
    QList<Area> areas() const { return areas_; }
    QList<Popup> popups() const { return popups_; }
    QList<Area> areasOf(const QString& section, int screen) const;

private:
    bool parseLine(const QString& line, int number);
    bool checkWords(const QString& lower);
    void startSection(const QString& word, const QString& lower, int number);
    void takeKey(const QString& key, const QString& value);
    Caption captionAtRest(const QString& section, bool on) const;
    bool finish();

    QString error_;
    QPolygon outline_;
    QMap<int, QString> backgrounds_;
    QList<Element> elements_;
    QList<Area> areas_;
    QList<Popup> popups_;
    QString section_;
    int sectionScreen_ = 0;
    int sectionLine_ = 0;
    QMap<QString, QString> keys_;
};
