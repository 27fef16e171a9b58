#include "install/PathInputBox.h"

#include "effects/ElementEdit.h"
#include "platform/Registry.h"
#include "platform/VirtualFs.h"
#include "platform/WritePolicy.h"

#include <QDir>
#include <QEvent>
#include <QLineEdit>
#include <algorithm>

TPathInputBox::TPathInputBox(TPathInputContext context) : context_(std::move(context))
{
    if (context_.Records.isEmpty()) {
        return;
    }
    for (int i = 0; i < context_.Records.size(); ++i) {
        const RPathInput& record = context_.Records.at(i);
        const QString text = FolderOfText(StoredText(i, AcceptedDefault(record.PathDef)));
        texts_.append(text);
        folderEdits_.append(CreateEdit(record, text));
        editScreens_.append(record.Screen);
        const int field = i;
        connect(folderEdits_.last(), &QLineEdit::textChanged, this,
                [this, field](const QString& changed) { texts_[field] = changed; });
        connect(folderEdits_.last(), &QLineEdit::editingFinished, this,
                [this, field] { ShowFolderOf(field); });
    }
    lastScreen_ = -1;
    ScreenChanged();
}

TPathInputBox::~TPathInputBox()
{
    WriteSettings();
    for (const QPointer<QLineEdit>& edit : std::as_const(folderEdits_)) {
        if (edit) {
            edit->removeEventFilter(this);
        }
    }
}

QLineEdit* TPathInputBox::CreateEdit(const RPathInput& record, const QString& text)
{
    QLineEdit* edit = CreateElementEdit(
        context_.MainWindow, ElementBounds(record.Left, record.Top, record.Right, record.Bottom),
        record.Hint);
    edit->setText(text);
    edit->setMouseTracking(true);
    edit->installEventFilter(this);
    return edit;
}

// The disc's default folder when the write policy would let disc data write
// there; one outside the program's folders (the home folder, say) is not
// taken and the field starts empty.
QString TPathInputBox::AcceptedDefault(const QString& pathDef)
{
    if (pathDef.isEmpty() ||
        WritePolicy::allows(pathDef, QString(), "a default installation folder")) {
        return pathDef;
    }
    return QString();
}

// The stored text when there is a non-empty one, else the record's default.
QString TPathInputBox::StoredText(int index, const QString& fallback) const
{
    const std::optional<QString> stored =
        Store().readString(RegistryHive::CurrentUser, context_.SettingsKey, ValueName(index));
    return stored && !stored->isEmpty() ? *stored : fallback;
}

void TPathInputBox::ScreenChanged()
{
    const int screen = Screen();
    SetScreenVisible(screen, true);
    if (lastScreen_ != screen) {
        SetScreenVisible(lastScreen_, false);
    }
    lastScreen_ = screen;
}

void TPathInputBox::ShowInStandardWindow(bool shown)
{
    SetScreenVisible(Screen(), !shown);
}

QString TPathInputBox::InstallFolder() const
{
    const int screen = Screen();
    for (int i = 0; i < editScreens_.size(); ++i) {
        if (editScreens_.at(i) == screen) {
            const QString text = FolderOfText(texts_.at(i));
            return text.endsWith(QLatin1Char('\\')) ? text : text + QLatin1Char('\\');
        }
    }
    return {};
}

QString TPathInputBox::FolderOfText(const QString& text)
{
    const QString typed = text.trimmed();
    QString host;
    if (typed == QLatin1String("~") || typed.startsWith(QLatin1String("~/"))) {
        host = QDir::homePath() + typed.mid(1);
    } else if (typed.startsWith(QLatin1Char('/'))) {
        host = typed;
    } else {
        return text;
    }
    QString folder = VirtualFs::fromHostPath(QDir::cleanPath(host));
    return folder.endsWith(QLatin1Char('\\')) ? folder : folder + QLatin1Char('\\');
}

// Once the user has typed a host path, the field shows the folder that the
// copies will go to.
void TPathInputBox::ShowFolderOf(int field)
{
    QLineEdit* edit = folderEdits_.value(field);
    const QString folder = FolderOfText(texts_.value(field));
    if (edit && folder != texts_.value(field)) {
        edit->setText(folder);
    }
}

QList<QLineEdit*> TPathInputBox::FolderEdits() const
{
    QList<QLineEdit*> edits;
    for (const QPointer<QLineEdit>& edit : folderEdits_) {
        edits.append(edit.data());
    }
    return edits;
}

bool TPathInputBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && context_.EndButtonHover) {
        context_.EndButtonHover();
    }
    return QObject::eventFilter(watched, event);
}

void TPathInputBox::SetScreenVisible(int screen, bool visible)
{
    for (int i = 0; i < folderEdits_.size(); ++i) {
        QLineEdit* edit = folderEdits_.at(i);
        // A field without a parent would become a window of its own.
        if (edit && editScreens_.at(i) == screen && (!visible || edit->parentWidget())) {
            edit->setVisible(visible);
        }
    }
}

// One locked write for all fields, so the values never mix with those of
// another instance.
void TPathInputBox::WriteSettings() const
{
    if (texts_.isEmpty()) {
        return;
    }
    QList<RegistryValue> values;
    for (int i = 0; i < texts_.size(); ++i) {
        values.append(RegistryValue::ofString(ValueName(i), texts_.at(i)));
    }
    Store().writeValues(RegistryHive::CurrentUser, context_.SettingsKey, values);
}

int TPathInputBox::Screen() const
{
    return context_.CurrentScreen ? context_.CurrentScreen() : 0;
}

Registry& TPathInputBox::Store() const
{
    return context_.Store ? *context_.Store : Registry::instance();
}

QString TPathInputBox::ValueName(int index)
{
    return QStringLiteral("PathInstall") + QString::number(index);
}
