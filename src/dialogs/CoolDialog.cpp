#include "dialogs/CoolDialog.h"

#include "data/Busy.h"
#include "effects/EffBtnCar.h"
#include "effects/EffCar.h"
#include "effects/InterfaceFonts.h"
#include "platform/Registry.h"
#include "platform/SoundPlayer.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>

namespace {

constexpr int kLetterSpacing = -1;
const QRect kResultListArea(11, 127, 377, 112);

} // namespace

TCoolDialog::TCoolDialog(const TCoolDialogContext& context)
    : QWidget(context.MainWindow, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      context_(context), pages_(ReadDialogDescription(context.Lines))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    fadeIn_ = new TEffCar(this);
    // The search fields stay out of the fade and come back with the focus.
    connect(fadeIn_, &TEffCar::fadeStarted, this, [this] {
        if (page_ == kFindPage) {
            SetFindFieldsShown(false);
        }
    });
    connect(fadeIn_, &TEffCar::fadeFinished, this, [this] {
        if (page_ == kFindPage) {
            SetFindFieldsShown(true);
        }
        update();
    });
    LoadStoredStates();
}

TCoolDialog::~TCoolDialog()
{
    FreeElements();
}

IFindPanel* TCoolDialog::FindPanel() const
{
    return context_.Components ? context_.Components->FindPanel : nullptr;
}

bool TCoolDialog::FadingIn() const
{
    return fadeIn_ && fadeIn_->Running();
}

QString TCoolDialog::SwitchValueName(int page, int index) const
{
    return QStringLiteral("SwGrpD%1%2").arg(page).arg(index);
}

void TCoolDialog::LoadStoredStates()
{
    Registry& store = context_.Store ? *context_.Store : Registry::instance();
    for (int page = 0; page < pages_.size(); ++page) {
        for (int index = 0; index < pages_[page].Switches.size(); ++index) {
            RSwthGrp& record = pages_[page].Switches[index];
            record.Hover = false;
            if (!record.Store) {
                continue;
            }
            const std::optional<bool> stored = store.readBool(
                RegistryHive::CurrentUser, context_.SettingsKey, SwitchValueName(page, index));
            if (stored) {
                record.State = *stored;
            }
        }
    }
}

void TCoolDialog::StoreStates() const
{
    Registry& store = context_.Store ? *context_.Store : Registry::instance();
    QList<RegistryValue> values;
    for (int page = 0; page < pages_.size(); ++page) {
        for (int index = 0; index < pages_[page].Switches.size(); ++index) {
            const RSwthGrp& record = pages_[page].Switches[index];
            if (record.Store) {
                values.append(RegistryValue::ofBool(SwitchValueName(page, index), record.State));
            }
        }
    }
    if (!values.isEmpty()) {
        store.writeValues(RegistryHive::CurrentUser, context_.SettingsKey, values);
    }
}

bool TCoolDialog::SwitchOn(int page, int index) const
{
    return page >= 0 && page < pages_.size() && index >= 0 &&
           index < pages_[page].Switches.size() && pages_[page].Switches[index].State;
}

void TCoolDialog::ShowDialogPage(int page, const QString& message)
{
    if (page < 0 || page >= pages_.size()) {
        return;
    }
    const QImage picture =
        context_.ReadPicture ? context_.ReadPicture(pages_[page].Picture) : QImage();
    if (picture.isNull()) {
        return;
    }
    page_ = page;
    BuildElements(page);
    PlaceFindFields(page == kFindPage);
    ComposeFace(picture.convertToFormat(QImage::Format_RGB32), message);
    if (page == kFindPage && context_.Components && context_.Components->ScaleBar) {
        context_.Components->ScaleBar->PrepareBar();
    }
    const QWidget* main = context_.MainWindow;
    const QPoint centre =
        main ? QPoint(main->x() + main->width() / 2, main->y() + main->height() / 2)
             : QPoint(face_.width() / 2, face_.height() / 2);
    setGeometry(centre.x() - face_.width() / 2, centre.y() - face_.height() / 2, face_.width(),
                face_.height());
    setFixedSize(face_.size());
    fullHeight_ = face_.height();
    for (const TShownSwitch& shown : switches_) {
        const RSwthGrp& record = pages_[page_].Switches[shown.Index];
        if (record.State) {
            RunCommand(record.Command, record.Sound);
        }
    }
    show();
    raise();
    fadeIn_->StartFadeIn();
}

// Pictures, sizes and fades of the page's buttons and switches.
void TCoolDialog::BuildElements(int page)
{
    FreeElements();
    const auto read = [this](const QString& name) {
        const QImage picture = context_.ReadPicture ? context_.ReadPicture(name) : QImage();
        return picture.isNull() ? picture : picture.convertToFormat(QImage::Format_RGB32);
    };
    for (const RDialogButton& record : pages_[page].Buttons) {
        TShownButton shown;
        shown.Record = record;
        shown.Pic = {read(record.PicUp), read(record.PicMv), read(record.PicDn)};
        shown.Record.Right = record.Left + shown.Pic[0].width();
        shown.Record.Bottom = record.Top + shown.Pic[0].height();
        shown.Effect = new TEffBtnCar(this);
        shown.Effect->SetStep(kFadeStep);
        buttons_.push_back(shown);
    }
    for (int index = 0; index < pages_[page].Switches.size(); ++index) {
        RSwthGrp& record = pages_[page].Switches[index];
        TShownSwitch shown;
        shown.Index = index;
        shown.Pic = {read(record.PicUp), read(record.PicMvUp), read(record.PicMvDn),
                     read(record.PicDn)};
        record.Right = record.Left + shown.Pic[0].width();
        record.Bottom = record.Top + shown.Pic[0].height();
        for (int state = 0; state < 4; ++state) {
            DrawSwitchCaption(shown.Pic[size_t(state)], record, state);
        }
        shown.Effect = new TEffBtnCar(this);
        shown.Effect->SetStep(kFadeStep);
        switches_.push_back(shown);
    }
}

// The caption of a state, one character at a time, each advanced by its
// width in bold plus the letter spacing.
void TCoolDialog::DrawSwitchCaption(QImage& picture, const RSwthGrp& record, int state) const
{
    const QString caption = state < 2 ? record.CaptionUp : record.CaptionDn;
    if (caption.isEmpty() || picture.isNull()) {
        return;
    }
    const TFontStyles styles[] = {record.StyleUp, record.StyleMvUp, record.StyleMvDn,
                                  record.StyleDn};
    const TColor colours[] = {record.ColorUp, record.ColorMvUp, record.ColorMvDn, record.ColorDn};
    const QFont font = InterfaceFont(record.FontName, record.FontSize, styles[state]);
    const QFontMetrics bold(InterfaceFont(record.FontName, record.FontSize, StyleBold));
    const QRect box(QPoint(record.TextLeft, record.TextTop),
                    QPoint(record.TextRight, record.TextBottom));
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(InterfaceColour(colours[state]));
    painter.setClipRect(box);
    int left = box.left();
    for (const QChar character : caption) {
        painter.drawText(QRect(left, box.top(), qMax(1, box.right() - left + 1), box.height()),
                         Qt::AlignLeft | Qt::AlignTop, QString(character));
        left += bold.horizontalAdvance(character) + kLetterSpacing;
    }
}

// A message wider than the text area widens the face by the excess: the
// picture's right half moves right and its middle column fills the gap.
void TCoolDialog::ComposeFace(const QImage& picture, const QString& message)
{
    const std::optional<RDialogText>& text = pages_[page_].Text;
    extra_ = 0;
    QFont font;
    int messageWidth = 0;
    if (text) {
        font = InterfaceFont(text->Font, text->Size, StyleWords(text->Style));
        messageWidth = QFontMetrics(font).horizontalAdvance(message);
        extra_ = qMax(0, messageWidth - (text->Right - text->Left));
    }
    const int width = picture.width();
    face_ = QImage(width + extra_, picture.height(), QImage::Format_RGB32);
    QPainter painter(&face_);
    const int half = width / 2;
    painter.drawImage(QPoint(0, 0), picture, QRect(0, 0, half, picture.height()));
    painter.drawImage(QPoint(half + extra_, 0), picture,
                      QRect(half, 0, width - half, picture.height()));
    for (int column = 0; column < extra_; ++column) {
        painter.drawImage(QPoint(half + column, 0), picture, QRect(half, 0, 1, picture.height()));
    }
    if (text && !message.isEmpty()) {
        painter.setFont(font);
        painter.setPen(InterfaceColour(text->Color));
        const int area = text->Right - text->Left;
        const int left = extra_ > 0 ? text->Left : text->Left + (area - messageWidth) / 2;
        painter.drawText(QRect(left, text->Top, messageWidth + 1, QFontMetrics(font).height()),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, message);
    }
    for (TShownButton& shown : buttons_) {
        const int shift = shown.Record.Align == QLatin1String("left")     ? 0
                          : shown.Record.Align == QLatin1String("middle") ? extra_ / 2
                                                                          : extra_;
        shown.Record.Left += shift;
        shown.Record.Right += shift;
        if (!shown.Pic[0].isNull()) {
            painter.drawImage(shown.Record.Left, shown.Record.Top, shown.Pic[0]);
        }
        shown.Hover = shown.Pressed = false;
    }
    for (const TShownSwitch& shown : switches_) {
        const RSwthGrp& record = pages_[page_].Switches[shown.Index];
        if (!shown.Pic[0].isNull()) {
            painter.drawImage(record.Left, record.Top, shown.Pic[0]);
        }
    }
}

// The search fields sit on the find page and nowhere else.
void TCoolDialog::PlaceFindFields(bool findPage)
{
    IFindPanel* find = FindPanel();
    if (!find) {
        return;
    }
    for (QWidget* edit : find->Edits()) {
        if (edit->parentWidget() != this && findPage) {
            edit->setParent(this);
        }
        if (edit->parentWidget() == this) {
            edit->setVisible(findPage);
            edit->raise();
        }
    }
}

void TCoolDialog::SetFindFieldsShown(bool shown)
{
    IFindPanel* find = FindPanel();
    if (!find) {
        return;
    }
    bool focused = false;
    for (QWidget* edit : find->Edits()) {
        if (edit->parentWidget() != this) {
            continue;
        }
        edit->setVisible(shown);
        if (shown && !focused) {
            activateWindow();
            edit->setFocus();
            focused = true;
        }
    }
}

void TCoolDialog::FreeElements()
{
    for (TShownButton& shown : buttons_) {
        shown.Effect->StopCrossFade();
        shown.Effect->deleteLater();
    }
    for (TShownSwitch& shown : switches_) {
        shown.Effect->StopCrossFade();
        shown.Effect->deleteLater();
    }
    buttons_.clear();
    switches_.clear();
}

void TCoolDialog::ShowResults(const QStringList& titles)
{
    if (titles.isEmpty()) {
        delete results_;
        setFixedHeight(qMin(kCompactHeight, qMax(1, fullHeight_)));
        return;
    }
    if (!results_) {
        results_ = new QListWidget(this);
        results_->setGeometry(kResultListArea);
        results_->setFrameShape(QFrame::NoFrame);
        connect(results_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            if (IFindPanel* find = FindPanel()) {
                find->FollowResult(results_->row(item));
            }
        });
        results_->show();
    }
    setFixedHeight(fullHeight_);
    results_->clear();
    results_->addItems(titles);
}

void TCoolDialog::SetSearchHint(const QString& hint)
{
    for (TShownButton& shown : buttons_) {
        if (shown.Record.Command == QLatin1String("findnext1")) {
            shown.Record.Hint = hint;
            return;
        }
    }
}

void TCoolDialog::PlaySound(const QString& sound) const
{
    const QString name = sound.trimmed();
    if (name.isEmpty() || name == QLatin1String("no") ||
        (context_.ClickSoundsOn && !context_.ClickSoundsOn())) {
        return;
    }
    SoundPlayer().PlayAsync(context_.AppDir + name);
}

bool TCoolDialog::RunCommand(const QString& command, const QString& sound)
{
    IFindPanel* find = FindPanel();
    if (Busy() && command.contains(QLatin1String("findnext"))) {
        if (find) {
            find->SetIdle(true);
        }
        return false;
    }
    PlaySound(sound);
    if (command == QLatin1String("findtxtall")) {
        if (find) {
            find->SetContentsMode(false);
            find->SetIndexMode(true);
        }
        ShowResults(find ? find->ResultTitles() : QStringList());
    } else if (command.contains(QLatin1String("findtxtlimit"))) {
        if (find) {
            find->SetPageScope(false);
        }
        ShowResults({});
    } else if (command.contains(QLatin1String("findtxtcontents"))) {
        if (find) {
            find->SetIndexMode(false);
            find->SetContentsMode(true);
        }
        ShowResults({});
    } else if (command.contains(QLatin1String("findnext"))) {
        if (find) {
            find->FindNext(command.mid(8).toInt());
        }
    } else {
        close();
        return true;
    }
    return false;
}
