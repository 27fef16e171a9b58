#include "data/Busy.h"
#include "effects/ElementEdit.h"
#include "search/FindTxtHtml.h"
#include "search/FindTxtTexts.h"
#include "search/index/StringUtils.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

using namespace FindTxtTexts;

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

QLineEdit* TFindTxtHtml::CreateEdit(const RFindTxt& record, QWidget* parent)
{
    QLineEdit* edit = CreateElementEdit(
        parent, ElementBounds(record.Left, record.Top, record.Right, record.Bottom), record.Hint);
    connect(edit, &QLineEdit::textChanged, this, [this] { EditChange(); });
    edit->installEventFilter(this);
    return edit;
}

QList<QWidget*> TFindTxtHtml::Edits() const
{
    QList<QWidget*> edits;
    for (const QPointer<QLineEdit>& edit : edits_) {
        if (edit) {
            edits.append(edit.data());
        }
    }
    return edits;
}

// A field without a parent would become a window of its own: it stays hidden
// until the dialog takes it.
void TFindTxtHtml::SetFieldVisible(int field, bool visible)
{
    QLineEdit* edit = edits_.at(field);
    if (edit && (!visible || edit->parentWidget())) {
        edit->setVisible(visible);
    }
}

void TFindTxtHtml::ShowScreenEdits()
{
    const int screen = context_.CurrentScreen ? context_.CurrentScreen() : 0;
    for (int field = 0; field < edits_.size(); ++field) {
        if (screens_.at(field) == screen) {
            SetFieldVisible(field, true);
        }
    }
    if (lastScreen_ != screen) {
        for (int field = 0; field < edits_.size(); ++field) {
            if (screens_.at(field) == lastScreen_) {
                SetFieldVisible(field, false);
            }
        }
    }
    lastScreen_ = screen;
}

void TFindTxtHtml::ShowEdits(bool hide)
{
    const int screen = context_.CurrentScreen ? context_.CurrentScreen() : 0;
    for (int field = 0; field < edits_.size(); ++field) {
        if (screens_.at(field) == screen) {
            SetFieldVisible(field, !hide);
        }
    }
    for (const QPointer<QLineEdit>& edit : std::as_const(edits_)) {
        if (edit && edit->parentWidget() && !edit->isHidden()) {
            edit->setFocus();
        }
    }
}

// Trimmed, then runs of blanks collapsed, each step written back.
void TFindTxtHtml::NormalizeText(int field)
{
    QLineEdit* edit = edits_.at(field);
    if (!edit) {
        return;
    }
    QString text = TrimControls(edit->text());
    const auto writeBack = [edit](const QString& value) {
        if (edit->text() != value) {
            edit->setText(value);
        }
    };
    writeBack(text);
    while (text.contains(QStringLiteral("  "))) {
        text.replace(QStringLiteral("  "), QStringLiteral(" "));
        writeBack(text);
    }
}

// A new text ends the walk and the results of the old one.
void TFindTxtHtml::EditChange()
{
    if (Busy()) {
        return;
    }
    pageIndex_ = -1;
    startFile_.clear();
    prefixTried_ = false;
    results_.Files.clear();
    results_.Titles.clear();
    ClearStatus();
}

bool TFindTxtHtml::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || !edits_.contains(edit)) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        return EditKeyPress(edit, static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::MouseMove && context_.EndButtonHover) {
        context_.EndButtonHover();
    }
    return false;
}

// Escape never reaches the field but goes on to the window holding it, whose
// key handling stops a search or closes. Everything else is swallowed while
// a search runs; Enter is swallowed always and in the first field starts the
// search as the dialog's search button does.
bool TFindTxtHtml::EditKeyPress(QLineEdit* edit, QKeyEvent* key)
{
    if (key->key() == Qt::Key_Escape) {
        key->ignore();
        return true;
    }
    if (Busy()) {
        return true;
    }
    if (!isEnter(key->key())) {
        return false;
    }
    if (!edits_.isEmpty() && edits_.first() == edit) {
        if (ISkinnedDialog* dialog = Dialog()) {
            dialog->RunCommand(FirstFieldCommand, NoSound);
        } else if (context_.ThesaurusMode) {
            FindNext(1);
        }
    }
    return true;
}
