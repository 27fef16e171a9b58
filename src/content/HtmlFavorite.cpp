#include "content/HtmlFavorite.h"

#include "components/ComponentSet.h"
#include "platform/Registry.h"
#include "platform/RegistryDocument.h"

THtmlFavorite::THtmlFavorite(IPopupController& popups, const TComponentSet& components,
                             Registry& store, const QString& settingsKey)
    : popups_(popups), components_(components), store_(store), key_(settingsKey)
{
    LoadFavorites();
}

THtmlFavorite::~THtmlFavorite()
{
    SaveFavorites();
}

RFavoriteCaption THtmlFavorite::Parse(const QString& value)
{
    const qsizetype open = value.indexOf(QLatin1Char('{'));
    const qsizetype close = value.indexOf(QLatin1Char('}'));
    if (open < 0 || close < 0) {
        return {QString(), value};
    }
    return {open < close ? value.mid(open + 1, close - open - 1) : QString(), value.mid(close + 1)};
}

void THtmlFavorite::LoadFavorites()
{
    store_.createKey(RegistryHive::CurrentUser, key_);
    for (int index = 0; index < kMaxFavorites; ++index) {
        const QString value = store_.readString(RegistryHive::CurrentUser, key_, ValueName(index))
                                  .value_or(QString());
        if (!value.isEmpty()) {
            favorites_.append(Parse(value));
        }
    }
    for (const RFavoriteCaption& favorite : favorites_) {
        popups_.AppendItem(favorite.Caption, favorite.Command, PopupFavorite);
    }
}

void THtmlFavorite::AddFavorite()
{
    IPagePanels* panels = components_.PagePanels;
    if (!panels || !components_.Popups) {
        return;
    }
    const QString title = panels->CurrentTitle();
    const QString command = QStringLiteral("htmlpos=%1=%2")
                                .arg(panels->CurrentDocument())
                                .arg(panels->CurrentPosition());
    for (const RFavoriteCaption& favorite : favorites_) {
        if (favorite.Caption.compare(title, Qt::CaseInsensitive) == 0) {
            return;
        }
    }
    if (favorites_.size() < kMaxFavorites) {
        favorites_.append({title, command});
        popups_.AppendItem(title, command, PopupFavorite);
        return;
    }
    favorites_.removeFirst();
    favorites_.append({title, command});
    for (int index = 0; index < kMaxFavorites; ++index) {
        popups_.SetItem(favorites_[index].Caption, favorites_[index].Command, PopupFavorite, index);
    }
}

void THtmlFavorite::DeleteFavorite(int index)
{
    if (index >= 0 && index < favorites_.size()) {
        favorites_.removeAt(index);
    }
}

// One write for the values kept; the values beyond them go (only those
// that exist, so that an unchanged list costs no more writes).
void THtmlFavorite::SaveFavorites() const
{
    QList<RegistryValue> values;
    for (int index = 0; index < favorites_.size(); ++index) {
        const RFavoriteCaption& favorite = favorites_[index];
        values.append(
            RegistryValue::ofString(ValueName(index), QLatin1Char('{') + favorite.Caption +
                                                          QLatin1Char('}') + favorite.Command));
    }
    store_.createKey(RegistryHive::CurrentUser, key_);
    if (!values.isEmpty()) {
        store_.writeValues(RegistryHive::CurrentUser, key_, values);
    }
    for (int index = int(favorites_.size()); index < kMaxFavorites; ++index) {
        if (store_.valueExists(RegistryHive::CurrentUser, key_, ValueName(index))) {
            store_.deleteValue(RegistryHive::CurrentUser, key_, ValueName(index));
        }
    }
}
