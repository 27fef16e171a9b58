#include "dialogs/AboutBox.h"

#include "effects/EffBtnCar.h"
#include "effects/EffCar.h"
#include "effects/InterfaceFonts.h"
#include "interface/InterfaceScanner.h"
#include "platform/SoundPlayer.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

namespace {

using V = const TKeyValue&;

struct RAboutText {
    qint32 Left = 0, Top = 0;
    QString Font;
    qint32 Size = -1;
    QString Style;
    TColor Color = 0;
    QString Value;
    QString Idenf;
};

struct RAboutButton {
    qint32 Left = 0, Top = 0;
    QString Up, Move, Hint, Sound;
};

const TKeyRule<RAboutText> textRules[] = {
    {"vx", [](RAboutText& r, V v) { r.Left = v.Int(); }},
    {"vy", [](RAboutText& r, V v) { r.Top = v.Int(); }},
    {"font", [](RAboutText& r, V v) { r.Font = v.Str(); }},
    {"size", [](RAboutText& r, V v) { r.Size = v.Int(); }},
    {"style", [](RAboutText& r, V v) { r.Style = v.Str(); }},
    {"color", [](RAboutText& r, V v) { r.Color = v.Colour(); }},
    {"value", [](RAboutText& r, V v) { r.Value = v.Str(); }},
    {"idenf", [](RAboutText& r, V v) { r.Idenf = v.Str().trimmed(); }},
};

const TKeyRule<RAboutButton> buttonRules[] = {
    {"vx", [](RAboutButton& r, V v) { r.Left = v.Int(); }},
    {"vy", [](RAboutButton& r, V v) { r.Top = v.Int(); }},
    {"fn1", [](RAboutButton& r, V v) { r.Up = v.Str(); }},
    {"fn2", [](RAboutButton& r, V v) { r.Move = v.Str(); }},
    {"hint", [](RAboutButton& r, V v) { r.Hint = v.Str(); }},
    {"wav", [](RAboutButton& r, V v) { r.Sound = v.Str(); }},
};

QFont FontOf(const RAboutText& text)
{
    return InterfaceFont(text.Font, text.Size, StyleWords(text.Style));
}

bool StrictlyInside(const QRect& box, QPoint point)
{
    return point.x() > box.left() && point.x() < box.left() + box.width() &&
           point.y() > box.top() && point.y() < box.top() + box.height();
}

} // namespace

TAboutBox::TAboutBox(const TAboutBoxContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), context_(context)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    fadeIn_ = new TEffCar(this);
    connect(fadeIn_, &TEffCar::fadeFinished, this, [this] { update(); });
    ReadFirstPass();
    ReadSecondPass();
    setFixedSize(picture_.size());
    if (const QScreen* screen = this->screen()) {
        const QRect desktop = screen->geometry();
        move(desktop.width() / 2 - picture_.width() / 2,
             desktop.height() / 2 - picture_.height() / 2);
    }
    if (outline_.size() > 1) {
        setMask(QRegion(outline_, Qt::WindingFill));
    }
}

TAboutBox::~TAboutBox() = default;

QString TAboutBox::LinkTarget(const QString& text)
{
    return text.contains(QLatin1Char('@')) ? QStringLiteral("mailto:") + text : text;
}

QString TAboutBox::LinkCaption(const QString& text)
{
    const qsizetype question = text.indexOf(QLatin1Char('?'));
    return question < 0 ? text : text.left(question);
}

bool TAboutBox::FadingIn() const
{
    return fadeIn_->Running();
}

// The picture and the outline, from any line that names them.
void TAboutBox::ReadFirstPass()
{
    const QStringList& lines = context_.Lines;
    for (int index = 0; index < lines.size(); ++index) {
        const QString& line = lines[index];
        if (const qsizetype at = line.indexOf(QLatin1String("picture")); at >= 0) {
            const QString name = line.mid(at + 8).section(QLatin1Char(';'), 0, 0).trimmed();
            const QImage picture = context_.ReadPicture ? context_.ReadPicture(name) : QImage();
            if (!picture.isNull()) {
                picture_ = picture.convertToFormat(QImage::Format_RGB32);
            }
        }
        if (const qsizetype at = lines[index].indexOf(QLatin1String("vertex")); at >= 0) {
            const TKeyValue value(lines, index, int(at) + 1, 6);
            outline_.clear();
            for (const QString& point : value.List()) {
                const qsizetype comma = point.indexOf(QLatin1Char(','));
                if (comma > 0 && outline_.size() < kMaxVertices) {
                    outline_ << QPoint(point.left(comma).trimmed().toInt(),
                                       point.mid(comma + 1).trimmed().toInt());
                }
            }
        }
    }
}

void TAboutBox::ReadSecondPass()
{
    const QStringList& lines = context_.Lines;
    QList<RAboutText> texts;
    for (int index = 0; index < lines.size(); ++index) {
        TSectionScanner scanner(lines, index);
        if (lines[index].contains(QLatin1String("text"))) {
            RAboutText text;
            if (scanner.Scan(std::span<const TKeyRule<RAboutText>>(textRules), {}, text)) {
                texts.append(text);
                index = scanner.Line();
            }
        } else if (lines[index].contains(QLatin1String("button"))) {
            RAboutButton button;
            if (scanner.Scan(std::span<const TKeyRule<RAboutButton>>(buttonRules), {}, button)) {
                const auto read = [this](const QString& name) {
                    const QImage picture =
                        context_.ReadPicture ? context_.ReadPicture(name) : QImage();
                    return picture.isNull() ? picture
                                            : picture.convertToFormat(QImage::Format_RGB32);
                };
                TAboutElement element;
                element.Up = read(button.Up);
                element.Move = read(button.Move);
                element.Bounds =
                    QRect(button.Left, button.Top, element.Up.width(), element.Up.height());
                element.Hint = button.Hint;
                element.Sound = button.Sound;
                element.Effect = new TEffBtnCar(this);
                element.Effect->SetStep(kFadeStep);
                if (!element.Up.isNull() && !picture_.isNull()) {
                    QPainter(&picture_).drawImage(element.Bounds.topLeft(), element.Up);
                }
                elements_.push_back(element);
                index = scanner.Line();
            }
        }
    }
    QPainter painter(&picture_);
    for (const RAboutText& text : texts) {
        const QFont font = FontOf(text);
        painter.setFont(font);
        painter.setPen(InterfaceColour(text.Color));
        QString shown = text.Value;
        if (text.Idenf == QLatin1String("url")) {
            const QFontMetrics metrics(font);
            TAboutElement link;
            link.Link = true;
            link.Bounds =
                QRect(text.Left, text.Top, metrics.horizontalAdvance(text.Value), metrics.height());
            link.Target = LinkTarget(text.Value);
            elements_.push_back(link);
            shown = LinkCaption(text.Value);
        }
        painter.drawText(QPoint(text.Left, text.Top + QFontMetrics(font).ascent()), shown);
    }
}

void TAboutBox::ShowModal()
{
    ShowBox();
    exec();
}

void TAboutBox::ShowBox()
{
    for (TAboutElement& element : elements_) {
        element.Hover = false;
    }
    unsetCursor();
    show();
    if (outline_.size() > 1) {
        setMask(QRegion(outline_, Qt::WindingFill)); // the native window takes it once it exists
    }
    fadeIn_->StartFadeIn();
}

int TAboutBox::ElementAt(QPoint point) const
{
    for (size_t index = 0; index < elements_.size(); ++index) {
        if (StrictlyInside(elements_[index].Bounds, point)) {
            return int(index);
        }
    }
    return -1;
}

void TAboutBox::PlaySound(const QString& sound) const
{
    const QString name = sound.trimmed();
    if (!name.isEmpty() && name != QLatin1String("no") &&
        (!context_.ClickSoundsOn || context_.ClickSoundsOn())) {
        SoundPlayer().PlayAsync(context_.AppDir + name);
    }
}

void TAboutBox::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_) {
        move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    if (FadingIn()) {
        return;
    }
    const QPoint point = event->position().toPoint();
    bool hand = false;
    for (TAboutElement& element : elements_) {
        const bool inside = StrictlyInside(element.Bounds, point);
        hand = hand || (inside && element.Link);
        if (inside && !element.Hover) {
            if (!element.Move.isNull()) {
                element.Effect->StartCrossFade(element.Up, element.Move, element.Bounds.topLeft());
            }
            element.Hover = true;
        } else if (!inside && element.Hover) {
            if (!element.Up.isNull()) {
                element.Effect->StartCrossFade(element.Move, element.Up, element.Bounds.topLeft());
            }
            element.Hover = false;
        }
    }
    if (hand) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
    update();
}

// A link opens its target and the box stays; a button closes the box.
void TAboutBox::mousePressEvent(QMouseEvent* event)
{
    if (FadingIn()) {
        return;
    }
    const int index = ElementAt(event->position().toPoint());
    if (index < 0) {
        dragging_ = event->button() == Qt::LeftButton;
        dragOffset_ = event->globalPosition().toPoint() - pos();
        return;
    }
    TAboutElement& element = elements_[size_t(index)];
    PlaySound(element.Sound);
    if (element.Link) {
        if (context_.OpenTarget) {
            context_.OpenTarget(element.Target);
        }
        return;
    }
    for (TAboutElement& each : elements_) {
        each.Hover = false;
    }
    unsetCursor();
    accept();
}

void TAboutBox::mouseReleaseEvent(QMouseEvent*)
{
    dragging_ = false;
}

void TAboutBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAboutBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (FadingIn()) {
        fadeIn_->DrawFrame(painter);
        return;
    }
    painter.drawImage(0, 0, picture_);
    for (const TAboutElement& element : elements_) {
        if (element.Effect && element.Effect->Running()) {
            element.Effect->DrawFrame(painter);
        } else if (element.Hover && !element.Move.isNull()) {
            painter.drawImage(element.Bounds.topLeft(), element.Move);
        }
    }
}

bool TAboutBox::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QDialog::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const int index = ElementAt(help->pos());
    const bool hints = !context_.HintsOn || context_.HintsOn();
    if (hints && index >= 0 && !elements_[size_t(index)].Hint.isEmpty()) {
        QToolTip::showText(help->globalPos(), elements_[size_t(index)].Hint, this);
    } else {
        QToolTip::hideText();
    }
    return true;
}
