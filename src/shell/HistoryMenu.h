#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QIcon;
class QMenu;
class QWidget;

// One of the standard window's two history menus ("Назад", "Вперед"): seven
// items, each naming a page of the current viewer's history; choosing one
// opens the entry whose number is the item's tag.
class THistoryMenu : public QObject {
    Q_OBJECT
public:
    enum class TDirection { Back, Forward };
    static constexpr int ItemCount = 7;
    // Longer titles are cut.
    static constexpr int TitleLength = 80;

    THistoryMenu(const QString& caption, const QIcon& icon, TDirection direction, QWidget* parent);

    QMenu* Menu() const { return menu_; }
    const QList<QAction*>& Items() const { return items_; }
    // The history entry an item opens.
    static int Tag(const QAction* item);

    // titles: the history, newest first; index: the entry shown. The back
    // menu lists, from the top, the pages one, two ... steps back; the
    // forward menu the pages one, two ... steps forward, the nearest on top.
    // Items without a page are hidden.
    void Update(const QStringList& titles, int index);

signals:
    void HistoryChosen(int index);

private:
    void Fill(QAction* item, const QString& title, int entry);

    QMenu* menu_;
    QList<QAction*> items_;
    TDirection direction_;
};
