#pragma once

#include <QColor>
#include <QList>
#include <QMap>
#include <QPoint>
#include <QPolygon>
#include <QString>
#include <QStringList>

// What the picture generator needs to know of the about box's description
// (resources/About.txt): the picture, the window outline, the texts the shell
// draws on the picture and the picture buttons.
//
// The shell reads the file lower-cased. It takes the picture and the outline
// from any line holding "picture" or "vertex", starts a text or a button at
// any line holding "text" or "button", and then looks for the element's keys,
// in a fixed order, as words anywhere in the lines. The reader replays that
// search and refuses a description in which a key, a marker or a picture
// would be found where it was not meant to be.
class AboutLayout {
public:
    enum class Kind { Text, Button };

    struct Text {
        QPoint position;
        QString font;
        int pointSize = 0;
        QString style;
        QColor color;
        QString value;
        bool link = false;
        int line = 0;
    };

    struct Button {
        QPoint position;
        QString up;
        QString hover;
        QString hint;
        QString sound;
        int line = 0;
    };

    bool read(const QString& path);
    QString errorString() const { return error_; }

    QString picture() const { return picture_; }
    QPolygon outline() const { return outline_; }
    QList<Text> texts() const { return texts_; }
    QList<Button> buttons() const { return buttons_; }

private:
    bool parseLine(const QString& line, int number);
    bool readPicture(const QString& line);
    bool readOutline(const QString& lower);
    bool startElement(const QString& lower, int number);
    bool finishElement();
    bool checkKeyOrder();
    bool storeText();
    bool storeButton();

    QString error_;
    QString picture_;
    QPolygon outline_;
    QList<Text> texts_;
    QList<Button> buttons_;
    bool inElement_ = false;
    Kind kind_ = Kind::Text;
    int elementLine_ = 0;
    QStringList lines_; // the element's lines, lower-cased, the marker first
    QMap<QString, QString> keys_;
};
