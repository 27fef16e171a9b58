#pragma once

#include "components/ComponentContexts.h"
#include "components/ContentComponents.h"

#include <QList>
#include <QObject>
#include <memory>

class THtmlFavorite;
class TPopupWindow;

// The popup menus of the current screen: built from the screen's records at
// every screen switch, opened by type at a point, hidden all at once. The
// first popup of a type is the one a type names. Items run their commands
// here: history steps, pages, favorites and the page operations; anything
// else goes to the command dispatcher.
class TControlPopupWindow final : public QObject, public IPopupController {
    Q_OBJECT
public:
    static constexpr int kHistorySlots = 8;
    static constexpr int kFavoriteDelete = -4;

    explicit TControlPopupWindow(const TPopupsContext& context);
    ~TControlPopupWindow() override;

    void RebuildPopups() override;
    void ShowPopup(int type, QPoint screenPoint) override;
    void HideAllPopups() override;
    void SetItemCount(int count, int type) override;
    void AppendItem(const QString& caption, const QString& command, int type) override;
    void SetItem(const QString& caption, const QString& command, int type, int index) override;
    void ShowItem(bool visible, int type, int index) override;

    // The first popup of the type on the current screen; null when none.
    TPopupWindow* Popup(int type) const;
    const QList<TPopupWindow*>& PopupWindows() const { return windows_; }
    THtmlFavorite* Favorites() const { return favorites_.get(); }

private:
    void FreePopups();
    void SetFavorites(std::unique_ptr<THtmlFavorite> favorites);
    void FillPopup(TPopupWindow& popup, const RPopupData& record);
    void RunItem(TPopupWindow& popup, const QString& command, int index);
    void RunCommand(const QString& command);
    int Screen() const;

    TPopupsContext context_;
    QList<TPopupWindow*> windows_;
    std::unique_ptr<THtmlFavorite> favorites_;
};

// The popup menus the program entry makes when any screen has popups.
std::unique_ptr<IPopupController> CreatePopups(const TPopupsContext& context);
