#pragma once

#include "interface/InterfaceDescription.h"
#include "shell/ElementStates.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <array>

class QPainter;
class QWidget;
class TEffBtnCar;
class TMouseForwardTarget;
class TMyControl;
class TPictureStream;

// The pictures of one element of the current screen and what the window shows
// of it now (the picture last copied or faded to; Up lies in the background).
struct TElementPictures {
    std::array<QImage, 4> Pic; // indexed by TStatePicture; buttons leave MoveDown empty
    QRect Rect;
    TStatePicture Shown = TStatePicture::Up;
    TMyControl* Control = nullptr;
    TEffBtnCar* Effect = nullptr;

    const QImage& operator[](TStatePicture picture) const { return Pic[size_t(picture)]; }
};

// The face of the skinned window for the current screen: the background with
// the up pictures composed in, the state pictures of every button, single
// switch and switch-group member, their hover controls and fades.
class TScreenPictures {
public:
    TScreenPictures(QWidget* window, TMouseForwardTarget& target);
    ~TScreenPictures();

    // Loads the screen's background through the stream; false when it is not
    // a picture (the background is then left as it was).
    bool LoadBackground(const TInterfaceDescription& description, int screen,
                        TPictureStream& stream);
    // Builds the state pictures with their captions, sets the records' Right
    // and Bottom from the up pictures and places the hover controls. The
    // slots of the previous screen are reused; surplus ones are freed.
    void BuildElements(TInterfaceDescription& description, int screen, TPictureStream& stream,
                       int letterSpacing);
    // Copies every up picture into the background and shows each element as
    // its state says (switches that are on show their down picture).
    void ComposeBackground(const TInterfaceDescription& description, int screen);

    // Background, shown element pictures, running fades.
    void Paint(QPainter& painter) const;

    TElementPictures* Element(TElementKind kind, int index);
    QList<TElementPictures>& Elements(TElementKind kind);
    QImage& Background() { return background_; }
    const QImage& Background() const { return background_; }
    // Shows a state picture at the element from now on and asks for a repaint.
    void Show(TElementKind kind, int index, TStatePicture picture);

    // Frees the element pictures, controls and fades.
    void Clear();

private:
    void prepareSlot(TElementPictures& element, int left, int top, int fadeStep);
    static void resizeSlots(QList<TElementPictures>& list, qsizetype count);
    void buildButtons(TDynamicBtnArray& buttons, TPictureStream& stream, int letterSpacing);
    void buildSwitches(TDynamicSwthOneArray& switches, TPictureStream& stream, int letterSpacing);
    void buildGroups(TDynamicSwthGrpArray& groups, TPictureStream& stream, int letterSpacing);
    void paintElements(QPainter& painter, const QList<TElementPictures>& list) const;

    QWidget* window_;
    TMouseForwardTarget& target_;
    QImage background_;
    QList<TElementPictures> buttons_;
    QList<TElementPictures> switches_;
    QList<TElementPictures> groups_;
};
