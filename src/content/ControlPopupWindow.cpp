#include "content/ControlPopupWindow.h"

#include "content/HtmlFavorite.h"
#include "content/PopupWindow.h"
#include "data/ValueReaders.h"
#include "platform/Registry.h"

#include <QCoreApplication>

TControlPopupWindow::TControlPopupWindow(const TPopupsContext& context) : context_(context)
{
    RebuildPopups();
}

TControlPopupWindow::~TControlPopupWindow()
{
    SetFavorites(nullptr);
    qDeleteAll(windows_);
}

// Whoever holds the component set learns of the favorites before they go
// and once they exist.
void TControlPopupWindow::SetFavorites(std::unique_ptr<THtmlFavorite> favorites)
{
    if (context_.SetFavorites) {
        context_.SetFavorites(nullptr);
    }
    favorites_ = std::move(favorites);
    if (favorites_ && context_.SetFavorites) {
        context_.SetFavorites(favorites_.get());
    }
}

int TControlPopupWindow::Screen() const
{
    return context_.CurrentScreen ? context_.CurrentScreen() : 0;
}

TPopupWindow* TControlPopupWindow::Popup(int type) const
{
    for (TPopupWindow* popup : windows_) {
        if (popup->Kind() == type) {
            return popup;
        }
    }
    return nullptr;
}

// The old windows go once their events are over: the command that switched
// the screen may have come from one of their items.
void TControlPopupWindow::FreePopups()
{
    SetFavorites(nullptr);
    for (TPopupWindow* popup : std::as_const(windows_)) {
        popup->HidePopup();
        popup->SetItemHandler(nullptr);
        popup->deleteLater();
    }
    windows_.clear();
}

void TControlPopupWindow::RebuildPopups()
{
    const int screen = Screen();
    if (screen < 0 || screen >= context_.Popups.size()) {
        return;
    }
    FreePopups();
    const TDynamicPopupArray& records = context_.Popups[screen];
    for (int index = 0; index < records.size(); ++index) {
        auto* popup =
            new TPopupWindow(index, records[index], context_.ReadPicture, context_.MainWindow);
        popup->SetItemHandler([this](TPopupWindow& source, const QString& command, int item) {
            RunItem(source, command, item);
        });
        windows_.append(popup);
    }
    for (int index = 0; index < records.size(); ++index) {
        FillPopup(*windows_[index], records[index]);
    }
}

void TControlPopupWindow::FillPopup(TPopupWindow& popup, const RPopupData& record)
{
    switch (record.Kind) {
    case PopupHistoryBack:
    case PopupHistoryForward:
        popup.SetItemCount(kHistorySlots);
        return;
    case PopupFavorite:
        popup.SetItemCount(0);
        if (!favorites_ && context_.Components && &popup == Popup(PopupFavorite)) {
            SetFavorites(std::make_unique<THtmlFavorite>(
                *this, *context_.Components,
                context_.Store ? *context_.Store : Registry::instance(), context_.SettingsKey));
        }
        return;
    default:
        popup.SetItemCount(0);
        for (int item = 0; item < record.Captions.size(); ++item) {
            popup.AppendItem(record.Captions[item], record.Commands.value(item));
        }
    }
}

void TControlPopupWindow::ShowPopup(int type, QPoint screenPoint)
{
    TPopupWindow* popup = Popup(type == kFavoriteDelete ? PopupFavorite : type);
    if (!popup || !popup->HasShownItem()) {
        return;
    }
    if (type == PopupHistoryBack) {
        screenPoint.rx() -= popup->width();
    }
    if (type == kFavoriteDelete) {
        popup->SetDeleteMode(true);
    }
    popup->ShowAt(screenPoint, Screen());
}

void TControlPopupWindow::HideAllPopups()
{
    for (TPopupWindow* popup : std::as_const(windows_)) {
        popup->HidePopup();
    }
}

void TControlPopupWindow::SetItemCount(int count, int type)
{
    if (TPopupWindow* popup = Popup(type)) {
        popup->SetItemCount(count);
    }
}

void TControlPopupWindow::AppendItem(const QString& caption, const QString& command, int type)
{
    if (TPopupWindow* popup = Popup(type)) {
        popup->AppendItem(caption, command);
    }
}

void TControlPopupWindow::SetItem(const QString& caption, const QString& command, int type,
                                  int index)
{
    if (TPopupWindow* popup = Popup(type)) {
        popup->SetItem(index, caption, command);
    }
}

void TControlPopupWindow::ShowItem(bool visible, int type, int index)
{
    if (TPopupWindow* popup = Popup(type)) {
        popup->SetShown(index, visible);
    }
}

void TControlPopupWindow::RunItem(TPopupWindow& popup, const QString& command, int index)
{
    if (popup.DeleteMode()) {
        popup.DeleteItem(index);
        if (favorites_) {
            favorites_->DeleteFavorite(index);
        }
        return;
    }
    popup.HidePopup();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    RunCommand(command);
}

void TControlPopupWindow::RunCommand(const QString& command)
{
    TComponentSet* set = context_.Components;
    IPagePanels* panels = set ? set->PagePanels : nullptr;
    IContentsTree* tree = set ? set->Tree : nullptr;
    const QString keyword = command.section(QLatin1Char('='), 0, 0).trimmed().toLower();
    const QString value = ValueBetweenEquals(command);
    if (keyword == QLatin1String("history")) {
        const int entry = value.trimmed().toInt();
        if (tree && panels) {
            tree->SelectNodeOfPage(panels->HistoryFile(entry));
        }
        if (panels) {
            panels->GoToHistory(entry);
        }
    } else if (keyword == QLatin1String("html")) {
        if (panels) {
            panels->OpenFile(value);
        }
        if (tree) {
            tree->SelectNodeOfPage(QString());
        }
    } else if (keyword == QLatin1String("htmlpos")) {
        if (tree) {
            tree->SelectNodeOfPage(value);
        }
        if (panels) {
            panels->OpenFile(value);
            panels->SetCurrentPosition(ValueAfterLastEquals(command).trimmed().toInt());
        }
    } else if (keyword == QLatin1String("copyclipboardhtml")) {
        if (panels) {
            panels->CopySelection();
        }
    } else if (keyword == QLatin1String("addtofavorite")) {
        if (set && set->Favorites) {
            set->Favorites->AddFavorite();
        }
    } else if (keyword == QLatin1String("deffonthtml")) {
        if (panels) {
            panels->ChooseDefaultFont();
        }
    } else if (keyword == QLatin1String("selectallhtml")) {
        if (panels) {
            panels->SelectAll();
        }
    } else if (keyword == QLatin1String("printhtml")) {
        if (panels) {
            panels->PrintPage(QString());
        }
    } else if (context_.ExecuteCommand) {
        QString text = command;
        QString sound = command;
        context_.ExecuteCommand(text, sound, 0, 0, 1);
    }
}

std::unique_ptr<IPopupController> CreatePopups(const TPopupsContext& context)
{
    return std::make_unique<TControlPopupWindow>(context);
}
