#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

class QWidget;

// Keeps a widget filling the free area of its parent while filling is on, as
// a control aligned to the client area: the parent's rectangle less the
// visible siblings docked along its edges (the contents tree and its splitter
// at the left, a toolbar at the top, a status bar at the bottom). The area
// follows the parent's size and the widget's changes of parent.
class TFillAlignment : public QObject {
    Q_OBJECT
public:
    explicit TFillAlignment(QWidget& widget);

    void SetFilling(bool on);
    bool Filling() const { return filling_; }
    // Lays the widget out again now (nothing while filling is off).
    void Apply();

    static QRect FreeArea(const QWidget& parent, const QWidget& widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WatchParent();

    QPointer<QWidget> widget_;
    QPointer<QWidget> parent_;
    bool filling_ = false;
};
