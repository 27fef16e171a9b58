#pragma once

#include "interface/InterfaceRecords.h"

#include <QFont>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>

class QPainter;

// The text elements of the interface, drawn straight onto the main window or,
// for number 1000, onto the skinned dialog: the title of the page shown, the
// status line and the like. Each is painted on its screen only.
class TTextMsg {
public:
    static constexpr qint32 kDialogNumber = 1000;
    static constexpr qint32 kStatusLine = -1;

    TTextMsg(QWidget* mainWindow, const TDynamicTextArray& texts,
             std::function<int()> currentScreen);

    void SetDialog(QWidget* dialog) { dialog_ = dialog; }
    // Paints the elements of the current screen that belong to the window.
    void PaintTexts(QPainter& painter, bool dialog);
    // number >= 0: the first element with that number; -1: every element
    // whose ident is "statusline". A new text is painted at once.
    void SetText(const QString& text, qint32 number, bool redraw);

    int Count() const { return int(texts_.size()); }
    const QString& Text(int index) const { return texts_[index]; }
    QRect TextRect(int index) const { return rects_[index]; }
    static QFont FontOf(const RText& text);

private:
    QWidget* TargetOf(int index) const;
    QString ShownText(int index, const QString& text) const;
    QRect AreaOf(int index, const QString& text) const;
    void SetOne(int index, const QString& text, bool redraw);

    QPointer<QWidget> mainWindow_;
    QPointer<QWidget> dialog_;
    TDynamicTextArray records_;
    QList<QFont> fonts_;
    QList<QString> texts_;
    QList<QRect> rects_;
    std::function<int()> currentScreen_;
};
