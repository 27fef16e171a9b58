#include "LinkFixture.h"
#include "TempDir.h"
#include "content/ControlPopupWindow.h"
#include "content/HtmlFavorite.h"
#include "content/PopupWindow.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScreen>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// Pictures of the resource container: a background whose rows tell where
// they came from, and items of 100 x 20.
QImage Background(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(x, row, qRgb(row % 256, 10, 20));
        }
    }
    return picture;
}

QImage Item(QColor colour)
{
    QImage picture(100, 20, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

RPopupData Record(qint32 kind, TDynamicStringArray captions = {}, TDynamicStringArray commands = {})
{
    RPopupData record;
    record.BackPicture = QStringLiteral("bg.bmp");
    record.ItemPicsUp = {QStringLiteral("up.bmp")};
    record.ItemPicsMove = {QStringLiteral("mv.bmp")};
    record.ItemPicsDown = {QStringLiteral("dn.bmp")};
    record.Font[0] = record.Font[1] = QStringLiteral("DejaVu Sans");
    record.Size[0] = record.Size[1] = 9;
    record.Style[0] = QStringLiteral("bold underline");
    record.Style[1] = QStringLiteral("Bold");
    record.Kind = kind;
    record.Captions = captions;
    record.Commands = commands;
    return record;
}

class Popups : public ::testing::Test {
protected:
    void SetUp() override
    {
        store = std::make_unique<Registry>(home.path());
        pictures.insert(QStringLiteral("bg.bmp"), Background(120, 60));
        pictures.insert(QStringLiteral("up.bmp"), Item(Qt::blue));
        pictures.insert(QStringLiteral("mv.bmp"), Item(Qt::green));
        pictures.insert(QStringLiteral("dn.bmp"), Item(Qt::red));
        set.PagePanels = &panels;
        set.Tree = &tree;
        window.setGeometry(100, 100, 800, 600);
    }
    void Create(QList<TDynamicPopupArray> screens)
    {
        TPopupsContext context;
        context.MainWindow = &window;
        context.Popups = screens;
        context.ReadPicture = [this](const QString& name) { return pictures.value(name); };
        context.Components = &set;
        context.CurrentScreen = [this] { return screen; };
        context.ExecuteCommand = [this](QString& command, QString& sound, int index, int kind,
                                        int silent) {
            log << QStringLiteral("execute %1 %2 %3 %4 %5")
                       .arg(command, sound)
                       .arg(index)
                       .arg(kind)
                       .arg(silent);
        };
        context.SetFavorites = [this](IFavorites* favorites) { set.Favorites = favorites; };
        context.SettingsKey = QStringLiteral("SOFTWARE\\Pallidrome\\Demo");
        context.Store = store.get();
        controller = std::make_unique<TControlPopupWindow>(context);
        set.Popups = controller.get();
    }
    void Press(TPopupWindow& popup, int item)
    {
        const QPoint at = popup.Item(item).Bounds.center();
        QMouseEvent move(QEvent::MouseMove, at, popup.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&popup, &move);
        QMouseEvent press(QEvent::MouseButtonPress, at, popup.mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&popup, &press);
    }
    QString Stored(int digit)
    {
        return store
            ->readString(RegistryHive::CurrentUser, QStringLiteral("SOFTWARE\\Pallidrome\\Demo"),
                         QStringLiteral("Favorite%1").arg(digit))
            .value_or(QStringLiteral("<none>"));
    }

    TempDir home;
    std::unique_ptr<Registry> store;
    QHash<QString, QImage> pictures;
    QStringList log;
    FakePanels panels{log};
    FakeTree tree{log};
    TComponentSet set;
    QWidget window;
    int screen = 0;
    std::unique_ptr<TControlPopupWindow> controller;
};

} // namespace

TEST_F(Popups, AContextMenuStretchesItsPictureToItsItems)
{
    Create({{Record(PopupContextHtml, {"Один", "Два", "Три"}, {"a", "b", "c"})}});
    TPopupWindow* popup = controller->Popup(PopupContextHtml);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->ItemCount(), 3);
    EXPECT_EQ(popup->height(), 5 + 3 * 20 + 5);
    EXPECT_EQ(popup->Picture().height(), 70);
    EXPECT_EQ(qRed(popup->Picture().pixel(0, 40)), 40);
    EXPECT_EQ(qRed(popup->Picture().pixel(0, 60)), 30) << "middle rows repeat the middle row";
    EXPECT_EQ(qRed(popup->Picture().pixel(0, 69)), 59) << "the bottom margin keeps its rows";
    EXPECT_EQ(popup->Item(0).Bounds, QRect(10, 5, 100, 20)) << "items centred";
    EXPECT_EQ(popup->Item(2).Bounds.top(), 45);
    controller->ShowItem(false, PopupContextHtml, 1);
    EXPECT_EQ(popup->Item(2).Bounds.top(), 25) << "a hidden item takes no room";
    EXPECT_EQ(popup->height(), 50);
    EXPECT_EQ(qRed(popup->Picture().pixel(0, 47)), 57) << "shrunk: the bottom margin moves up";
    controller->ShowItem(true, PopupContextHtml, 1);
    ASSERT_EQ(popup->height(), 70);
    EXPECT_EQ(qRed(popup->Picture().pixel(0, 47)), 47) << "grown again from the loaded picture";
    EXPECT_EQ(qRed(popup->Picture().pixel(0, 60)), 30) << "its middle row, not the shrunk one's";
    EXPECT_EQ(qRed(popup->Picture().pixel(0, 69)), 59);
    controller->ShowItem(true, PopupContextHtml, 7);
    controller->SetItem(QStringLiteral("x"), QStringLiteral("y"), -77, 0);
    EXPECT_EQ(popup->ItemCount(), 3) << "missing items and popups do nothing";
}

TEST_F(Popups, FontsFollowTheirStyleWordsLetterCaseCounting)
{
    TItemFont font{QStringLiteral("DejaVu Sans"), 9, QStringLiteral("bold underline"), 0x0000FF};
    EXPECT_TRUE(font.Font().bold());
    EXPECT_TRUE(font.Font().underline());
    EXPECT_FALSE(font.Font().italic());
    EXPECT_EQ(font.Colour(), QColor(255, 0, 0));
    font.Style = QStringLiteral("Bold");
    EXPECT_FALSE(font.Font().bold());
}

TEST_F(Popups, LongCaptionsEndInDotsAndShowInFullAsHints)
{
    Create({{Record(PopupContextHtml, {"Ok", "Очень длинное название пункта меню"}, {"a", "b"})}});
    TPopupWindow* popup = controller->Popup(PopupContextHtml);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->Item(0).Hint.isEmpty());
    EXPECT_EQ(popup->Item(1).Hint, QStringLiteral("Очень длинное название пункта меню"));
    const QFont font = popup->Item(1).ItemFonts[0].Font();
    const QString shown = TItemsBtn::Elided(popup->Item(1).Caption(), font, 86);
    EXPECT_TRUE(shown.endsWith(QStringLiteral("...")));
    EXPECT_LE(QFontMetrics(font).horizontalAdvance(shown), 86);
    EXPECT_NE(popup->Item(1).Picture(TItemsBtn::Up), Item(Qt::blue)) << "the caption is painted";
}

TEST_F(Popups, PopupsOpenBesideTheirButtonAndStayOnTheDesktop)
{
    Create({{Record(PopupHistoryBack), Record(PopupHistoryForward)}});
    controller->ShowPopup(PopupHistoryBack, QPoint(400, 300));
    TPopupWindow* back = controller->Popup(PopupHistoryBack);
    EXPECT_TRUE(back->isHidden()) << "a popup without shown items does not open";
    controller->SetItem(QStringLiteral("Page"), QStringLiteral("history=1"), PopupHistoryBack, 0);
    controller->ShowItem(true, PopupHistoryBack, 0);
    controller->ShowPopup(PopupHistoryBack, QPoint(400, 300));
    EXPECT_FALSE(back->isHidden());
    EXPECT_EQ(back->geometry().right() + 1, 400) << "the back list ends at the point";
    EXPECT_EQ(back->y(), 300);
    const QRect desktop = QGuiApplication::primaryScreen()->geometry();
    controller->ShowPopup(PopupHistoryBack, desktop.bottomRight() + QPoint(200, 0));
    EXPECT_EQ(back->geometry().bottom(), desktop.bottom());
    EXPECT_EQ(back->geometry().right(), desktop.right());
    controller->HideAllPopups();
    EXPECT_TRUE(back->isHidden());

    // The forward list begins at the point.
    TPopupWindow* forward = controller->Popup(PopupHistoryForward);
    controller->SetItem(QStringLiteral("Page"), QStringLiteral("history=1"), PopupHistoryForward,
                        7);
    controller->ShowItem(true, PopupHistoryForward, 7);
    controller->ShowPopup(PopupHistoryForward, QPoint(400, 300));
    EXPECT_EQ(forward->pos(), QPoint(400, 300));
}

TEST_F(Popups, AFixedPlaceAndAnExplicitItemLeftWinOverThePoint)
{
    RPopupData fixed = Record(7, {"a", "b"}, {"x", "y"});
    fixed.BackLeft = 50;
    fixed.BackTop = 70;
    fixed.ItemLeft = 12;
    RPopupData centred = Record(8, {"a"}, {"x"});
    Create({{fixed, centred}});
    TPopupWindow* popup = controller->Popup(7);
    controller->ShowPopup(7, QPoint(400, 300));
    EXPECT_EQ(popup->pos(), window.mapToGlobal(QPoint(50, 70)));
    EXPECT_EQ(popup->Item(0).Bounds.left(), 12);
    EXPECT_EQ(popup->Item(1).Bounds.left(), 12);
    EXPECT_EQ(popup->Item(1).Bounds.top(), popup->Item(0).Bounds.bottom() + 1);
    TPopupWindow* other = controller->Popup(8);
    controller->ShowPopup(8, QPoint(400, 300));
    EXPECT_EQ(other->pos(), QPoint(400, 300)) << "no fixed place: at the point";
    EXPECT_EQ(other->Item(0).Bounds.left(), (other->width() - other->Item(0).Bounds.width()) / 2)
        << "no explicit left: centred";
}

TEST_F(Popups, OnTheContentScreenAPopupSlidesAwayFromTheCursor)
{
    screen = 1;
    Create({{}, {Record(7, {"a"}, {"x"}), Record(8, {"b"}, {"y"})}});
    QCursor::setPos(400, 300);
    if (QCursor::pos() != QPoint(400, 300)) {
        GTEST_SKIP() << "the platform does not move the cursor";
    }
    TPopupWindow* below = controller->Popup(7);
    controller->ShowPopup(7, QPoint(400, 320));
    ASSERT_FALSE(below->mask().isEmpty());
    EXPECT_EQ(below->mask().boundingRect().top(), 0) << "below the cursor it unrolls downwards";
    TPopupWindow* above = controller->Popup(8);
    controller->ShowPopup(8, QPoint(400, 100));
    ASSERT_FALSE(above->mask().isEmpty());
    EXPECT_EQ(above->mask().boundingRect().bottom(), above->height() - 1)
        << "above the cursor it unrolls upwards";
}

TEST_F(Popups, AShapedPopupIsCutOnTheStartScreenOnly)
{
    RPopupData record = Record(1, {"a"}, {"x"});
    record.Vertices = {QStringLiteral("0,0"), QStringLiteral("100,0"), QStringLiteral("50,40")};
    Create({{record}, {record}});
    TPopupWindow* popup = controller->Popup(1);
    EXPECT_TRUE(popup->FixedHeight());
    EXPECT_EQ(popup->height(), 60) << "it keeps its picture's height";
    controller->ShowPopup(1, QPoint(10, 10));
    EXPECT_FALSE(popup->mask().isEmpty());
    EXPECT_FALSE(popup->mask().contains(QPoint(5, 35)));
    screen = 1;
    controller->RebuildPopups();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    popup = controller->Popup(1);
    controller->ShowPopup(1, QPoint(10, 10));
    QElapsedTimer clock;
    clock.start();
    while (!popup->mask().isEmpty() && clock.elapsed() < 2000) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
    EXPECT_TRUE(popup->mask().isEmpty()) << "rectangular on other screens, once slid in";
}

TEST_F(Popups, ThePauseBeforeTheNextSlideCountsFromTheEndOfTheSlide)
{
    screen = 1;
    Create({{}, {Record(1, {"a"}, {"x"})}});
    TPopupWindow* popup = controller->Popup(1);
    ASSERT_NE(popup, nullptr);
    controller->ShowPopup(1, QPoint(10, 10));
    ASSERT_FALSE(popup->mask().isEmpty()) << "it slides in";
    QElapsedTimer clock;
    clock.start();
    while (!popup->mask().isEmpty() && clock.elapsed() < 2000) {
        QApplication::processEvents();
        QThread::msleep(2);
    }
    ASSERT_TRUE(popup->mask().isEmpty());
    QThread::msleep(180);
    controller->HideAllPopups();
    controller->ShowPopup(1, QPoint(10, 10));
    EXPECT_TRUE(popup->mask().isEmpty()) << "shown again within the pause: no slide";
}

TEST_F(Popups, AnOutlineKeepsItsFirstTwoThousandPoints)
{
    RPopupData record = Record(1, {"a"}, {"x"});
    for (int round = 0; round < 500; ++round) {
        record.Vertices << QStringLiteral("0,0") << QStringLiteral("50,0")
                        << QStringLiteral("50,20") << QStringLiteral("0,20");
    }
    for (int round = 0; round < 125; ++round) {
        record.Vertices << QStringLiteral("0,0") << QStringLiteral("90,0")
                        << QStringLiteral("90,50") << QStringLiteral("0,50");
    }
    Create({{record}});
    TPopupWindow* popup = controller->Popup(1);
    controller->ShowPopup(1, QPoint(10, 10));
    EXPECT_TRUE(popup->mask().contains(QPoint(10, 10)));
    EXPECT_FALSE(popup->mask().contains(QPoint(70, 30))) << "the points beyond 2000 are left out";
}

TEST_F(Popups, ItemsRunTheirCommandsOncePerVisit)
{
    Create({{Record(5, {"Стр", "Поз", "Ист", "Копия", "Прочее"},
                    {"html=d:\\run\\a.htm", "htmlpos=d:\\run\\b.htm=340", "history=2",
                     "copyclipboardhtml", "screen2"})}});
    TPopupWindow* popup = controller->Popup(5);
    panels.history = {QStringLiteral("d:\\run\\n.htm"), QString(),
                      QStringLiteral("d:\\run\\h.htm")};
    for (int item = 0; item < 5; ++item) {
        controller->ShowPopup(5, QPoint(10, 10));
        Press(*popup, item);
        EXPECT_TRUE(popup->isHidden()) << item;
    }
    EXPECT_EQ(log, QStringList({"open file d:\\run\\a.htm", "select ", "select d:\\run\\b.htm",
                                "open file d:\\run\\b.htm", "position 340", "select d:\\run\\h.htm",
                                "history 2", "copy selection", "execute screen2 screen2 0 0 1"}));
    log.clear();
    controller->ShowPopup(5, QPoint(10, 10));
    popup->SetItemHandler([this](TPopupWindow&, const QString& command, int) { log << command; });
    Press(*popup, 3);
    Press(*popup, 3);
    EXPECT_EQ(log, QStringList({"copyclipboardhtml"})) << "a pressed item runs once";
}

// The page operations of a context menu reach the page panels and the
// favorites, and nothing goes to the dispatcher.
TEST_F(Popups, PageOperationItemsActOnThePageAndTheFavorites)
{
    struct CountingFavorites : IFavorites {
        void AddFavorite() override { ++added; }
        int added = 0;
    } favorites;
    Create({{Record(5, {"Избранное", "Шрифт", "Выделить", "Печать"},
                    {"addtofavorite", "DefFontHtml", "selectallhtml", "printhtml"})}});
    set.Favorites = &favorites;
    TPopupWindow* popup = controller->Popup(5);
    for (int item = 0; item < 4; ++item) {
        controller->ShowPopup(5, QPoint(10, 10));
        Press(*popup, item);
    }
    EXPECT_EQ(favorites.added, 1);
    EXPECT_EQ(log, QStringList({"font dialog", "select all", "print "}));
}

TEST_F(Popups, FavoritesLoadAddDropTheOldestAndSaveInOrder)
{
    const QString key = QStringLiteral("SOFTWARE\\Pallidrome\\Demo");
    store->writeString(RegistryHive::CurrentUser, key, QStringLiteral("Favorite0"),
                       QStringLiteral("{Первая}htmlpos=d:\\run\\1.htm=0"));
    store->writeString(RegistryHive::CurrentUser, key, QStringLiteral("Favorite1"),
                       QStringLiteral("{Вторая}htmlpos=d:\\run\\2.htm=10"));
    store->writeString(RegistryHive::CurrentUser, key, QStringLiteral("Favorite3"),
                       QStringLiteral("no braces"));
    Create({{Record(PopupFavorite)}});
    ASSERT_NE(set.Favorites, nullptr);
    TPopupWindow* popup = controller->Popup(PopupFavorite);
    ASSERT_EQ(popup->ItemCount(), 3);
    EXPECT_EQ(popup->Item(2).Caption(), QString());
    EXPECT_EQ(popup->Item(2).Command, QStringLiteral("no braces"));

    panels.document = QStringLiteral("d:\\run\\2.htm");
    panels.title = QStringLiteral("ВТОРАЯ");
    set.Favorites->AddFavorite();
    EXPECT_EQ(popup->ItemCount(), 3) << "a title already listed, in other letters";
    for (int n = 4; n <= 11; ++n) {
        panels.title = QStringLiteral("Page %1").arg(n);
        panels.position = n;
        set.Favorites->AddFavorite();
    }
    ASSERT_EQ(popup->ItemCount(), 10);
    QStringList captions;
    for (int item = 0; item < popup->ItemCount(); ++item) {
        captions << popup->Item(item).Caption();
    }
    QStringList expected{QStringLiteral("Вторая"), QString()};
    for (int n = 4; n <= 11; ++n) {
        expected << QStringLiteral("Page %1").arg(n);
    }
    EXPECT_EQ(captions, expected) << "oldest first, the first one gone";
    EXPECT_EQ(popup->Item(0).Caption(), QStringLiteral("Вторая")) << "the oldest went";
    EXPECT_EQ(popup->Item(9).Caption(), QStringLiteral("Page 11"));
    EXPECT_EQ(popup->Item(9).Command, QStringLiteral("htmlpos=d:\\run\\2.htm=11"));

    controller->ShowPopup(TControlPopupWindow::kFavoriteDelete, QPoint(10, 10));
    Press(*popup, 0);
    EXPECT_FALSE(popup->isHidden()) << "delete mode keeps the list open";
    EXPECT_EQ(popup->ItemCount(), 9);
    EXPECT_EQ(popup->Item(0).Caption(), QString());
    EXPECT_EQ(Stored(0), QStringLiteral("{Первая}htmlpos=d:\\run\\1.htm=0")) << "saved later";

    controller->RebuildPopups();
    EXPECT_EQ(Stored(0), QStringLiteral("{}no braces"));
    for (int n = 4; n <= 11; ++n) {
        EXPECT_EQ(Stored(n - 3), QStringLiteral("{Page %1}htmlpos=d:\\run\\2.htm=%1").arg(n));
    }
    EXPECT_EQ(Stored(9), QStringLiteral("<none>")) << "the value beyond the shorter list is gone";
    EXPECT_EQ(controller->Popup(PopupFavorite)->ItemCount(), 9) << "loaded again";
}

TEST_F(Popups, DeletingTheLastFavoriteClosesTheList)
{
    store->writeString(RegistryHive::CurrentUser, QStringLiteral("SOFTWARE\\Pallidrome\\Demo"),
                       QStringLiteral("Favorite0"), QStringLiteral("{Одна}html=x.htm"));
    Create({{Record(PopupFavorite)}, {}});
    TPopupWindow* popup = controller->Popup(PopupFavorite);
    controller->ShowPopup(TControlPopupWindow::kFavoriteDelete, QPoint(10, 10));
    Press(*popup, 0);
    EXPECT_TRUE(popup->isHidden());
    EXPECT_EQ(popup->ItemCount(), 0);
    controller->ShowPopup(PopupFavorite, QPoint(10, 10));
    EXPECT_TRUE(popup->isHidden()) << "no favorite, nothing opens";
    screen = 1;
    controller->RebuildPopups();
    EXPECT_EQ(set.Favorites, nullptr) << "a screen without a favorites list has no favorites";
    EXPECT_EQ(Stored(0), QStringLiteral("<none>"));
}
