#include "shell/HistoryMenu.h"

#include <QAction>
#include <QIcon>
#include <QMenu>

namespace {

QString itemText(const QString& title)
{
    const QString shown =
        title.isEmpty() ? QStringLiteral("Без названия") : title.left(THistoryMenu::TitleLength);
    // An ampersand in a title is a letter, not a shortcut mark.
    return QString(shown).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

THistoryMenu::THistoryMenu(const QString& caption, const QIcon& icon, TDirection direction,
                           QWidget* parent)
    : QObject(parent), menu_(new QMenu(caption, parent)), direction_(direction)
{
    menu_->setIcon(icon);
    for (int i = 0; i < ItemCount; ++i) {
        QAction* item = menu_->addAction(QString());
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, item] { emit HistoryChosen(Tag(item)); });
        items_.append(item);
    }
}

int THistoryMenu::Tag(const QAction* item)
{
    return item->data().toInt();
}

void THistoryMenu::Update(const QStringList& titles, int index)
{
    for (QAction* item : items_) {
        item->setVisible(false);
    }
    int placed = 0;
    for (int entry = 0; entry < titles.size() && placed < ItemCount; ++entry) {
        if (direction_ == TDirection::Back && entry > index && entry <= index + ItemCount) {
            Fill(items_.at(placed++), titles.at(entry), entry);
        } else if (direction_ == TDirection::Forward && entry < index &&
                   entry >= index - ItemCount) {
            Fill(items_.at(ItemCount - 1 - placed++), titles.at(entry), entry);
        }
    }
}

void THistoryMenu::Fill(QAction* item, const QString& title, int entry)
{
    item->setText(itemText(title));
    item->setData(entry);
    item->setVisible(true);
}
