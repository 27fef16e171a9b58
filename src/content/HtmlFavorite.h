#pragma once

#include "components/ComponentSet.h"

#include <QList>
#include <QString>

class Registry;

struct RFavoriteCaption {
    QString Caption; // the page title when it was added
    QString Command; // "htmlpos=" + file + "=" + vertical position
};
using TDynamicFavoriteCaption = QList<RFavoriteCaption>;

// The favorites: up to ten pages with their scroll position, oldest first,
// listed in the favorites popup (-3) and kept per user in the registry as
// "Favorite0" to "Favorite9" = "{caption}command". Loaded when created,
// saved when destroyed.
class THtmlFavorite final : public IFavorites {
public:
    static constexpr int kMaxFavorites = 10;

    // The current page comes from the page panels of the set.
    THtmlFavorite(IPopupController& popups, const TComponentSet& components, Registry& store,
                  const QString& settingsKey);
    ~THtmlFavorite() override;

    void AddFavorite() override;
    void DeleteFavorite(int index);
    const TDynamicFavoriteCaption& Favorites() const { return favorites_; }

    // A stored value split into its caption and command.
    static RFavoriteCaption Parse(const QString& value);

private:
    void LoadFavorites();
    void SaveFavorites() const;
    static QString ValueName(int index) { return QStringLiteral("Favorite%1").arg(index); }

    IPopupController& popups_;
    const TComponentSet& components_;
    Registry& store_;
    QString key_;
    TDynamicFavoriteCaption favorites_;
};
