#include "shell/ScreenPictures.h"

#include "effects/EffBtnCar.h"
#include "shell/Captions.h"
#include "shell/MyControl.h"
#include "shell/PictureStream.h"

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

// Captions and text rectangles of the four states of a switch or group member.
struct TStateTexts {
    QString caption[4];
    QRect rect[4];
};

// Reads the up, move-up, move-down and down pictures of a switch or group
// member from the shared stream and draws each state's caption into them.
template <typename Record>
void readFourStates(TElementPictures& element, const Record& record, const TStateTexts& texts,
                    TPictureStream& stream, int letterSpacing)
{
    const QString names[] = {record.PicUp, record.PicMvUp, record.PicMvDn, record.PicDn};
    const TFontStyles styles[] = {record.StyleUp, record.StyleMvUp, record.StyleMvDn,
                                  record.StyleDn};
    const TColor colors[] = {record.ColorUp, record.ColorMvUp, record.ColorMvDn, record.ColorDn};
    for (int i = 0; i < 4; ++i) {
        element.Pic[size_t(i)] = stream.Read(names[i]);
        DrawCaption(element.Pic[size_t(i)], texts.caption[i], texts.rect[i],
                    {record.FontName, record.FontSize, styles[i], colors[i]}, letterSpacing);
    }
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
    QImage picture = stream.Read(name);
    if (picture.isNull()) {
        return false;
    }
    background_ = picture;
    return true;
}

// A slot keeps its control and its fade from screen to screen; only its
// pictures, place and hint change.
void TScreenPictures::prepareSlot(TElementPictures& element, int left, int top, int fadeStep)
{
    if (!element.Control) {
        element.Control = new TMyControl(window_, target_);
        element.Effect = new TEffBtnCar(window_);
    }
    element.Effect->StopCrossFade();
    element.Effect->SetStep(fadeStep);
    element.Pic = {};
    element.Rect = QRect(left, top, 0, 0);
    element.Shown = TStatePicture::Up;
}

// Surplus slots go, last first. Their controls are deleted once the event
// that may be running in one of them (the release that switched the screen)
// has returned.
void TScreenPictures::resizeSlots(QList<TElementPictures>& list, qsizetype count)
{
    while (list.size() > count) {
        TElementPictures& element = list.last();
        element.Effect->StopCrossFade();
        element.Control->hide();
        element.Control->deleteLater();
        element.Effect->deleteLater();
        list.removeLast();
    }
    list.resize(count);
}

void TScreenPictures::BuildElements(TInterfaceDescription& description, int screen,
                                    TPictureStream& stream, int letterSpacing)
{
    TDynamicBtnArray none;
    TDynamicSwthOneArray noSwitches;
    TDynamicSwthGrpArray noGroups;
    const bool known = screen >= 0;
    TDynamicBtnArray& buttons =
        known && screen < description.Buttons.size() ? description.Buttons[screen] : none;
    TDynamicSwthOneArray& switches =
        known && screen < description.Switches.size() ? description.Switches[screen] : noSwitches;
    TDynamicSwthGrpArray& groups = known && screen < description.SwitchGroups.size()
                                       ? description.SwitchGroups[screen]
                                       : noGroups;
    resizeSlots(buttons_, buttons.size());
    buildButtons(buttons, stream, letterSpacing);
    resizeSlots(switches_, switches.size());
    buildSwitches(switches, stream, letterSpacing);
    resizeSlots(groups_, groups.size());
    buildGroups(groups, stream, letterSpacing);
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
    for (qsizetype b = 0; b < buttons.size(); ++b) {
        RBtn& record = buttons[b];
        const bool context = record.Command.toLower().contains(QLatin1String("contextmenu"));
        TElementPictures& element = buttons_[b];
        prepareSlot(element, record.Left, record.Top, context ? 3 : 4);
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
    }
}

void TScreenPictures::buildSwitches(TDynamicSwthOneArray& switches, TPictureStream& stream,
                                    int letterSpacing)
{
    for (qsizetype s = 0; s < switches.size(); ++s) {
        RSwthOne& record = switches[s];
        TElementPictures& element = switches_[s];
        prepareSlot(element, record.Left, record.Top, 4);
        const QRect upText =
            TextRect(record.TextUpLeft, record.TextUpTop, record.TextUpRight, record.TextUpBottom);
        const QRect downText =
            TextRect(record.TextDnLeft, record.TextDnTop, record.TextDnRight, record.TextDnBottom);
        const TStateTexts texts{
            {record.CaptionUp, record.CaptionUp, record.CaptionDn, record.CaptionDn},
            {upText, upText, downText, downText}};
        readFourStates(element, record, texts, stream, letterSpacing);
        placeElement(element, record, record.Hint);
    }
}

void TScreenPictures::buildGroups(TDynamicSwthGrpArray& groups, TPictureStream& stream,
                                  int letterSpacing)
{
    for (qsizetype g = 0; g < groups.size(); ++g) {
        RSwthGrp& record = groups[g];
        TElementPictures& element = groups_[g];
        prepareSlot(element, record.Left, record.Top, 4);
        const QRect text =
            TextRect(record.TextLeft, record.TextTop, record.TextRight, record.TextBottom);
        const QString up = GroupCaption(record.CaptionUp);
        const QString down = GroupCaption(record.CaptionDn);
        const TStateTexts texts{{up, up, down, down}, {text, text, text, text}};
        readFourStates(element, record, texts, stream, letterSpacing);
        placeElement(element, record, record.Hint);
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
