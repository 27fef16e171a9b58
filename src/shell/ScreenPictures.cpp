#include "ScreenPictures.h"

#include "Captions.h"
#include "EffBtnCar.h"
#include "MyControl.h"
#include "PictureStream.h"

#include <QPainter>
#include <QWidget>

namespace {

template <typename List> const List& screenList(const QList<List>& lists, int screen)
{
    static const List none;
    return screen >= 0 && screen < lists.size() ? lists[screen] : none;
}

void copyInto(QImage& target, const QImage& picture, const QRect& rect)
{
    if (target.isNull() || picture.isNull()) {
        return;
    }
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(rect.topLeft(), picture, QRect(QPoint(0, 0), rect.size()));
}

} // namespace

TScreenPictures::TScreenPictures(QWidget* window, TMouseForwardTarget& target)
    : window_(window), target_(target)
{
}

TScreenPictures::~TScreenPictures()
{
    Clear();
}

bool TScreenPictures::LoadBackground(const TInterfaceDescription& description, int screen,
                                     TPictureStream& stream)
{
    const QString name = screen >= 0 && screen < description.ScreenBackgrounds.size()
                             ? description.ScreenBackgrounds[screen]
                             : QString();
    background_ = stream.Read(name);
    return !background_.isNull();
}

TElementPictures TScreenPictures::makeElement(int left, int top, const QString& hint, int fadeStep)
{
    TElementPictures element;
    element.Rect = QRect(left, top, 0, 0);
    element.Control = new TMyControl(window_, target_);
    element.Effect = new TEffBtnCar(window_);
    element.Effect->SetStep(fadeStep);
    element.Control->setToolTip(hint);
    return element;
}

void TScreenPictures::BuildElements(TInterfaceDescription& description, int screen,
                                    TPictureStream& stream, int letterSpacing)
{
    Clear();
    if (screen < 0) {
        return;
    }
    if (screen < description.Buttons.size()) {
        buildButtons(description.Buttons[screen], stream, letterSpacing);
    }
    if (screen < description.Switches.size()) {
        buildSwitches(description.Switches[screen], stream, letterSpacing);
    }
    if (screen < description.SwitchGroups.size()) {
        buildGroups(description.SwitchGroups[screen], stream, letterSpacing);
    }
}

// The rectangle follows the up picture; the control covers it.
template <typename Record>
static void placeElement(TElementPictures& element, Record& record, const QString& hint)
{
    const QImage& up = element[TStatePicture::Up];
    record.Right = record.Left + up.width();
    record.Bottom = record.Top + up.height();
    element.Rect = QRect(record.Left, record.Top, up.width(), up.height());
    element.Control->Place(element.Rect, hint);
}

void TScreenPictures::buildButtons(TDynamicBtnArray& buttons, TPictureStream& stream,
                                   int letterSpacing)
{
    for (RBtn& record : buttons) {
        const bool context = record.Command.toLower().contains(QLatin1String("contextmenu"));
        TElementPictures element =
            makeElement(record.Left, record.Top, record.Hint, context ? 3 : 4);
        const QString names[] = {record.PicUp, record.PicMv, record.PicDn};
        const TStatePicture states[] = {TStatePicture::Up, TStatePicture::MoveUp,
                                        TStatePicture::Down};
        const TFontStyles styles[] = {record.StyleUp, record.StyleMv, record.StyleDn};
        const TColor colors[] = {record.ColorUp, record.ColorMv, record.ColorDn};
        const QRect text =
            TextRect(record.TextLeft, record.TextTop, record.TextRight, record.TextBottom);
        for (int i = 0; i < 3; ++i) {
            QImage& picture = element.Pic[size_t(states[i])];
            picture = stream.Read(names[i]);
            DrawCaption(picture, record.Caption, text,
                        {record.FontName, record.FontSize, styles[i], colors[i]}, letterSpacing);
        }
        placeElement(element, record, record.Hint);
        buttons_.append(element);
    }
}

void TScreenPictures::buildSwitches(TDynamicSwthOneArray& switches, TPictureStream& stream,
                                    int letterSpacing)
{
    for (RSwthOne& record : switches) {
        TElementPictures element = makeElement(record.Left, record.Top, record.Hint, 4);
        const QString names[] = {record.PicUp, record.PicMvUp, record.PicMvDn, record.PicDn};
        const TFontStyles styles[] = {record.StyleUp, record.StyleMvUp, record.StyleMvDn,
                                      record.StyleDn};
        const TColor colors[] = {record.ColorUp, record.ColorMvUp, record.ColorMvDn,
                                 record.ColorDn};
        const QRect upText =
            TextRect(record.TextUpLeft, record.TextUpTop, record.TextUpRight, record.TextUpBottom);
        const QRect downText =
            TextRect(record.TextDnLeft, record.TextDnTop, record.TextDnRight, record.TextDnBottom);
        for (int i = 0; i < 4; ++i) {
            const bool down = i >= 2;
            element.Pic[size_t(i)] = stream.Read(names[i]);
            DrawCaption(element.Pic[size_t(i)], down ? record.CaptionDn : record.CaptionUp,
                        down ? downText : upText,
                        {record.FontName, record.FontSize, styles[i], colors[i]}, letterSpacing);
        }
        placeElement(element, record, record.Hint);
        switches_.append(element);
    }
}

void TScreenPictures::buildGroups(TDynamicSwthGrpArray& groups, TPictureStream& stream,
                                  int letterSpacing)
{
    for (RSwthGrp& record : groups) {
        TElementPictures element = makeElement(record.Left, record.Top, record.Hint, 4);
        const QString names[] = {record.PicUp, record.PicMvUp, record.PicMvDn, record.PicDn};
        const TFontStyles styles[] = {record.StyleUp, record.StyleMvUp, record.StyleMvDn,
                                      record.StyleDn};
        const TColor colors[] = {record.ColorUp, record.ColorMvUp, record.ColorMvDn,
                                 record.ColorDn};
        const QRect text =
            TextRect(record.TextLeft, record.TextTop, record.TextRight, record.TextBottom);
        for (int i = 0; i < 4; ++i) {
            const QString& caption = i >= 2 ? record.CaptionDn : record.CaptionUp;
            element.Pic[size_t(i)] = stream.Read(names[i]);
            DrawCaption(element.Pic[size_t(i)], GroupCaption(caption), text,
                        {record.FontName, record.FontSize, styles[i], colors[i]}, letterSpacing);
        }
        placeElement(element, record, record.Hint);
        groups_.append(element);
    }
}

void TScreenPictures::ComposeBackground(const TInterfaceDescription& description, int screen)
{
    for (TElementPictures& element : buttons_) {
        copyInto(background_, element[TStatePicture::Up], element.Rect);
        element.Shown = TStatePicture::Up;
    }
    const TDynamicSwthOneArray& switches = screenList(description.Switches, screen);
    for (int i = 0; i < switches_.size(); ++i) {
        copyInto(background_, switches_[i][TStatePicture::Up], switches_[i].Rect);
        const bool on = i < switches.size() && switches[i].State;
        switches_[i].Shown = on ? TStatePicture::Down : TStatePicture::Up;
    }
    const TDynamicSwthGrpArray& groups = screenList(description.SwitchGroups, screen);
    for (int i = 0; i < groups_.size(); ++i) {
        copyInto(background_, groups_[i][TStatePicture::Up], groups_[i].Rect);
        const bool on = i < groups.size() && groups[i].State;
        groups_[i].Shown = on ? TStatePicture::Down : TStatePicture::Up;
    }
}

QList<TElementPictures>& TScreenPictures::Elements(TElementKind kind)
{
    switch (kind) {
    case TElementKind::Button:
        return buttons_;
    case TElementKind::SingleSwitch:
        return switches_;
    case TElementKind::SwitchGroup:
        break;
    }
    return groups_;
}

TElementPictures* TScreenPictures::Element(TElementKind kind, int index)
{
    QList<TElementPictures>& list = Elements(kind);
    return index >= 0 && index < list.size() ? &list[index] : nullptr;
}

void TScreenPictures::Show(TElementKind kind, int index, TStatePicture picture)
{
    if (TElementPictures* element = Element(kind, index)) {
        element->Shown = picture;
        window_->update(element->Rect);
    }
}

void TScreenPictures::Paint(QPainter& painter) const
{
    if (!background_.isNull()) {
        painter.drawImage(QPoint(0, 0), background_);
    }
    paintElements(painter, buttons_);
    paintElements(painter, switches_);
    paintElements(painter, groups_);
    for (const auto* list : {&buttons_, &switches_, &groups_}) {
        for (const TElementPictures& element : *list) {
            if (element.Effect && element.Effect->Running()) {
                element.Effect->DrawFrame(painter);
            }
        }
    }
}

void TScreenPictures::paintElements(QPainter& painter, const QList<TElementPictures>& list) const
{
    for (const TElementPictures& element : list) {
        const QImage& picture = element[element.Shown];
        if (element.Shown != TStatePicture::Up && !picture.isNull()) {
            painter.drawImage(element.Rect.topLeft(), picture,
                              QRect(QPoint(0, 0), element.Rect.size()));
        }
    }
}

void TScreenPictures::Clear()
{
    for (auto* list : {&buttons_, &switches_, &groups_}) {
        for (TElementPictures& element : *list) {
            delete element.Control;
            delete element.Effect;
        }
        list->clear();
    }
}
