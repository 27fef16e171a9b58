#include "install/PathInputBox.h"

#include "TempDir.h"
#include "platform/Registry.h"
#include "platform/VirtualFs.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString Key = QStringLiteral("SOFTWARE\\Pallidrome\\Disc");

RPathInput Field(int screen, const QString& pathDef, int top = 10)
{
    RPathInput record;
    record.Left = 20;
    record.Top = top;
    record.Right = 220;
    record.Bottom = top + 17;
    record.Screen = screen;
    record.PathDef = pathDef;
    record.Hint = QStringLiteral("Папка установки");
    return record;
}

class PathInputBox : public ::testing::Test {
protected:
    PathInputBox()
    {
        VirtualFs::instance().mount(QStringLiteral("c:\\"), drive.path());
        VirtualFs::instance().mount(QStringLiteral("z:\\"), QStringLiteral("/"));
    }
    ~PathInputBox() override { VirtualFs::instance().unmount(QStringLiteral("c:\\")); }
    std::unique_ptr<TPathInputBox> Create(const TDynamicPathInputArray& records)
    {
        TPathInputContext context;
        context.MainWindow = &window;
        context.Records = records;
        context.CurrentScreen = [this] { return screen; };
        context.SettingsKey = Key;
        context.Store = &store;
        context.EndButtonHover = [this] { ++hoverEnds; };
        return std::make_unique<TPathInputBox>(context);
    }
    QString Stored(int index) const
    {
        return store
            .readString(RegistryHive::CurrentUser, Key,
                        QStringLiteral("PathInstall") + QString::number(index))
            .value_or(QStringLiteral("<none>"));
    }

    TempDir config;
    TempDir drive;
    Registry store{config.path()};
    QWidget window;
    int screen = 0;
    int hoverEnds = 0;
};

TEST_F(PathInputBox, FieldsOfTwoScreensKeepSeparateTextsAndSettings)
{
    store.writeString(RegistryHive::CurrentUser, Key, QStringLiteral("PathInstall1"),
                      QStringLiteral("e:\\saved"));
    store.writeString(RegistryHive::CurrentUser, Key, QStringLiteral("PathInstall0"), QString());
    screen = 1;
    {
        auto box = Create(
            {Field(1, QStringLiteral("c:\\first")), Field(2, QStringLiteral("c:\\second"), 40)});
        const QList<QLineEdit*> edits = box->FolderEdits();
        ASSERT_EQ(edits.size(), 2);
        // An empty stored text gives way to the default; a stored one wins.
        EXPECT_EQ(edits[0]->text(), QStringLiteral("c:\\first"));
        EXPECT_EQ(edits[1]->text(), QStringLiteral("e:\\saved"));
        EXPECT_EQ(box->EditScreens(), (QList<int>{1, 2}));
        EXPECT_FALSE(edits[0]->isHidden());
        EXPECT_TRUE(edits[1]->isHidden());
        EXPECT_EQ(box->InstallFolder(), QStringLiteral("c:\\first\\"));

        screen = 2;
        box->ScreenChanged();
        EXPECT_TRUE(edits[0]->isHidden());
        EXPECT_FALSE(edits[1]->isHidden());
        EXPECT_EQ(box->InstallFolder(), QStringLiteral("e:\\saved\\"));

        // A switch to the screen already shown keeps its field.
        box->ScreenChanged();
        EXPECT_FALSE(edits[1]->isHidden());

        edits[1]->setText(QStringLiteral("f:\\games\\"));
        EXPECT_EQ(box->InstallFolder(), QStringLiteral("f:\\games\\"));
        // Edits stay in the fields until the box goes.
        EXPECT_EQ(Stored(1), QStringLiteral("e:\\saved"));
    }
    EXPECT_EQ(Stored(0), QStringLiteral("c:\\first"));
    EXPECT_EQ(Stored(1), QStringLiteral("f:\\games\\"));
}

TEST_F(PathInputBox, InstallFolderOfEmptyFieldAndOfScreenWithoutField)
{
    auto box = Create({Field(0, QString()), Field(0, QStringLiteral("c:\\later"), 40)});
    EXPECT_EQ(box->InstallFolder(), QStringLiteral("\\"));
    screen = 3;
    box->ScreenChanged();
    EXPECT_EQ(box->InstallFolder(), QString());
    for (QLineEdit* edit : box->FolderEdits()) {
        EXPECT_TRUE(edit->isHidden());
    }
}

TEST_F(PathInputBox, FieldGeometryHintAndHover)
{
    auto box = Create({Field(0, QStringLiteral("c:\\x"), 30)});
    QLineEdit* edit = box->FolderEdits().at(0);
    EXPECT_EQ(edit->parentWidget(), &window);
    EXPECT_EQ(edit->geometry(), QRect(20, 30, 200, 17));
    EXPECT_EQ(edit->font().pixelSize(), 16);
    EXPECT_FALSE(edit->hasFrame());
    EXPECT_EQ(edit->toolTip(), QStringLiteral("Папка установки"));
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(edit, &move);
    EXPECT_EQ(hoverEnds, 1);
}

TEST_F(PathInputBox, StandardWindowHidesAndRestoresCurrentFields)
{
    auto box = Create({Field(0, QStringLiteral("c:\\a")), Field(1, QStringLiteral("c:\\b"))});
    const QList<QLineEdit*> edits = box->FolderEdits();
    box->ShowInStandardWindow(true);
    EXPECT_TRUE(edits[0]->isHidden());
    box->ShowInStandardWindow(false);
    EXPECT_FALSE(edits[0]->isHidden());
    EXPECT_TRUE(edits[1]->isHidden());
}

TEST_F(PathInputBox, TextsAreStoredEvenAfterTheWindowDestroyedTheFields)
{
    auto owner = std::make_unique<QWidget>();
    TPathInputContext context;
    context.MainWindow = owner.get();
    context.Records = {Field(0, QStringLiteral("c:\\a"))};
    context.SettingsKey = Key;
    context.Store = &store;
    auto box = std::make_unique<TPathInputBox>(context);
    box->FolderEdits().at(0)->setText(QStringLiteral("c:\\typed"));
    owner.reset();
    EXPECT_EQ(box->FolderEdits().at(0), nullptr);
    box->ScreenChanged();
    box->ShowInStandardWindow(true);
    EXPECT_EQ(box->InstallFolder(), QStringLiteral("c:\\typed\\"));
    box.reset();
    EXPECT_EQ(Stored(0), QStringLiteral("c:\\typed"));
}

TEST_F(PathInputBox, WithoutRecordsNothingIsShownOrStored)
{
    auto box = Create({});
    box->ScreenChanged();
    EXPECT_TRUE(box->FolderEdits().isEmpty());
    EXPECT_EQ(box->InstallFolder(), QString());
    box.reset();
    EXPECT_FALSE(store.keyExists(RegistryHive::CurrentUser, Key));
}

TEST_F(PathInputBox, NonTextSettingFallsBackToDefault)
{
    store.writeInteger(RegistryHive::CurrentUser, Key, QStringLiteral("PathInstall0"), 7);
    auto box = Create({Field(0, QStringLiteral("c:\\def"))});
    EXPECT_EQ(box->FolderEdits().at(0)->text(), QStringLiteral("c:\\def"));
}

} // namespace

// A disc whose default folder is the user's home would have its copies land
// among the user's own files: such a default is not taken.
TEST_F(PathInputBox, ADefaultOutsideTheProgramsFoldersIsNotTaken)
{
    TempDir home;
    auto box = Create({Field(0, home.virtualPath()), Field(1, QStringLiteral("c:\\games\\race")),
                       Field(2, QStringLiteral("z:\\etc"))});
    const QList<QLineEdit*> edits = box->FolderEdits();
    ASSERT_EQ(edits.size(), 3);
    EXPECT_EQ(edits[0]->text(), QString());
    EXPECT_EQ(edits[1]->text(), QStringLiteral("c:\\games\\race"));
    EXPECT_EQ(edits[2]->text(), QString());
    EXPECT_EQ(box->InstallFolder(), QStringLiteral("\\"));
    // What the user types is the user's choice.
    edits[0]->setText(home.virtualPath());
    EXPECT_EQ(box->InstallFolder(), home.virtualPath());
}

// A Linux path typed into a field is the host folder it names, seen through
// "z:\"; once typed, the field shows that folder. Other texts stay as typed.
TEST_F(PathInputBox, AFolderTypedAsAHostPathIsThatFolder)
{
    EXPECT_EQ(TPathInputBox::FolderOfText(QStringLiteral("/home/me/Games")),
              QStringLiteral("z:\\home\\me\\Games\\"));
    EXPECT_EQ(TPathInputBox::FolderOfText(QStringLiteral(" /srv//games/../Игры/ ")),
              QStringLiteral("z:\\srv\\Игры\\"));
    EXPECT_EQ(TPathInputBox::FolderOfText(QStringLiteral("/")), QStringLiteral("z:\\"));
    const QString home = VirtualFs::fromHostPath(QDir::homePath());
    EXPECT_EQ(TPathInputBox::FolderOfText(QStringLiteral("~/Games")),
              home + QStringLiteral("\\Games\\"));
    EXPECT_EQ(TPathInputBox::FolderOfText(QStringLiteral("~")),
              home.endsWith(QLatin1Char('\\')) ? home : home + QLatin1Char('\\'));
    for (const char* kept : {"c:\\games", "Games", "~other/x", ""}) {
        EXPECT_EQ(TPathInputBox::FolderOfText(QLatin1String(kept)), QLatin1String(kept));
    }

    store.writeString(RegistryHive::CurrentUser, Key, QStringLiteral("PathInstall1"),
                      QStringLiteral("/srv/saved"));
    auto box = Create({Field(0, QStringLiteral("c:\\demo")), Field(0, QString(), 40)});
    const QList<QLineEdit*> edits = box->FolderEdits();
    EXPECT_EQ(edits[1]->text(), QStringLiteral("z:\\srv\\saved\\"));
    edits[0]->setText(QStringLiteral("/home/me/Games"));
    EXPECT_EQ(box->InstallFolder(), QStringLiteral("z:\\home\\me\\Games\\"))
        << "never below the current folder";
    emit edits[0]->editingFinished();
    EXPECT_EQ(edits[0]->text(), QStringLiteral("z:\\home\\me\\Games\\"));
    edits[0]->setText(QStringLiteral("Games"));
    emit edits[0]->editingFinished();
    EXPECT_EQ(edits[0]->text(), QStringLiteral("Games"));
    EXPECT_EQ(box->InstallFolder(), QStringLiteral("Games\\"));
    edits[0]->setText(QStringLiteral("~/Games"));
    emit edits[0]->editingFinished();
    box.reset();
    EXPECT_EQ(Stored(0), home + QStringLiteral("\\Games\\"));
    EXPECT_EQ(Stored(1), QStringLiteral("z:\\srv\\saved\\"));
}
