#pragma once

#include <QList>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

// What the picture generator needs to know of the skinned dialog's
// description (resources/Dialog.txt): the picture of each page, where each
// button and switch stands, which pictures it names and what caption the
// shell paints on a switch, and the message area. Pages count from 0 here and
// from 1 in the file.
//
// The shell reads each element by looking for its keys, in a fixed order, as
// words anywhere in the lines; the reader replays that search and refuses a
// description in which a key would be found in the wrong line.
class DialogLayout {
public:
    enum class Kind { Text, Button, Switch };

    struct Caption {
        QString up; // in the two off states
        QString dn; // in the two on states
        QRect rect; // relative to the switch
        QString font;
        int pointSize = 0;
    };

    struct Element {
        Kind kind = Kind::Button;
        int page = 0;
        QPoint position;
        int right = 0;        // right edge of a message area
        QStringList pictures; // fn1, fn2, fn3 (and fn4)
        Caption caption;
        int line = 0;
    };

    bool read(const QString& path);
    QString errorString() const { return error_; }

    QMap<int, QString> pagePictures() const { return pagePictures_; }
    QList<Element> elements() const { return elements_; }

private:
    bool parseLine(const QString& line, int number);
    bool startElement(Kind kind, const QString& lower, int number);
    bool finishElement();
    bool checkKeyOrder();
    Element elementOfKeys() const;

    QString error_;
    QMap<int, QString> pagePictures_;
    QList<Element> elements_;
    bool inElement_ = false;
    Kind kind_ = Kind::Button;
    int page_ = 0;
    int elementLine_ = 0;
    QStringList lines_; // the element's lines, lower-cased, the marker first
    QMap<QString, QString> keys_;
};
