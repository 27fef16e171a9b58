#include "EngineTestDisc.h"
#include "engine/HtmlViewer.h"

#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kPage = QStringLiteral("d:\\run\\html\\page.htm");

class ViewerText : public ::testing::Test {
protected:
    void SetUp() override
    {
        disc.addToArchive(QStringLiteral("html\\page.htm"),
                          "<p>Hello world, hello again, HELLO loud.</p>"
                          "<p><img src=\"a.png\" title=\"Title hint\" alt=\"alt text\"> "
                          "<img src=\"a.png\" alt=\"Only alt\"> <img src=\"a.png\"> "
                          "<a href=\"big.htm\"><img src=\"a.png\" title=\"Linked\"></a></p>"
                          "<p>Key: <select name=\"Serial\"><option>AAA-111"
                          "<option selected>BBB-222<option>CCC-333</select> end</p>" +
                              QByteArray(3000, '\n').replace("\n", "<br>") + "<p>last line</p>");
        disc.addToArchive(QStringLiteral("html\\a.png"),
                          EngineTestDisc::Picture(QSize(60, 40), "PNG"));
        disc.addToArchive(QStringLiteral("html\\other.htm"), "<title>Other</title>no lists");
        ASSERT_TRUE(disc.openArchive());
        viewer.reset(CreateHtmlViewer(nullptr));
        viewer->resize(600, 400);
        viewer->show();
        ASSERT_TRUE(viewer->loadFile(kPage));
    }
    LiteHtmlView& view() { return UserInput::ViewOf(*viewer); }
    ViewerObject objectOfPicture(int n)
    {
        return viewer->objectAt(UserInput::PointOfPicture(*viewer, n));
    }

    EngineTestDisc disc;
    std::unique_ptr<THtmlViewer> viewer;
};

} // namespace

TEST_F(ViewerText, FindNextStepsThroughMatchesWithOrWithoutCase)
{
    ASSERT_TRUE(viewer->findNext(QStringLiteral("hello"), false));
    EXPECT_EQ(viewer->selectedText(), QStringLiteral("Hello"));
    ASSERT_TRUE(viewer->findNext(QStringLiteral("hello"), false));
    EXPECT_EQ(viewer->selectedText(), QStringLiteral("hello"));
    ASSERT_TRUE(viewer->findNext(QStringLiteral("hello"), false));
    EXPECT_EQ(viewer->selectedText(), QStringLiteral("HELLO"));
    EXPECT_FALSE(viewer->findNext(QStringLiteral("hello"), false));
    EXPECT_EQ(viewer->selectedText(), QStringLiteral("HELLO"));

    viewer->moveSelectionToStart();
    EXPECT_TRUE(viewer->selectedText().isEmpty());
    ASSERT_TRUE(viewer->findNext(QStringLiteral("HELLO"), true));
    EXPECT_EQ(view().selection().begin,
              UserInput::RangeOfText(*viewer, QStringLiteral("HELLO")).begin);
    EXPECT_EQ(viewer->selectedText(), QStringLiteral("HELLO"));
    EXPECT_FALSE(viewer->findNext(QStringLiteral("HELLO"), true));
    EXPECT_FALSE(viewer->findNext(QString(), false));
}

TEST_F(ViewerText, AMatchFarDownIsScrolledIntoView)
{
    EXPECT_EQ(viewer->verticalPosition(), 0);
    ASSERT_TRUE(viewer->findNext(QStringLiteral("last line"), true));
    EXPECT_GT(viewer->verticalPosition(), 0);
    const QList<QRect> boxes = view().text().boxes(view().selection());
    ASSERT_FALSE(boxes.isEmpty());
    const QRect shown = boxes.first().translated(-view().toPage(QPoint()));
    EXPECT_TRUE(view().viewport()->rect().contains(shown.center()));
}

TEST_F(ViewerText, SelectAllAndCopyPutTheTextOnTheClipboard)
{
    viewer->selectAll();
    EXPECT_TRUE(viewer->selectedText().startsWith(QStringLiteral("Hello world")));
    EXPECT_TRUE(viewer->selectedText().endsWith(QStringLiteral("last line")));
    EXPECT_FALSE(viewer->findNext(QStringLiteral("again"), true));
    viewer->moveSelectionToStart();
    ASSERT_TRUE(viewer->findNext(QStringLiteral("again"), true));
    viewer->copySelection();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("again"));
}

TEST_F(ViewerText, VerticalPositionIsKeptPerHistoryEntry)
{
    viewer->setVerticalPosition(250);
    EXPECT_EQ(viewer->verticalPosition(), 250);
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\html\\other.htm")));
    EXPECT_EQ(viewer->verticalPosition(), 0);
    ASSERT_TRUE(viewer->goBack());
    EXPECT_EQ(viewer->verticalPosition(), 250);
}

TEST_F(ViewerText, TheObjectUnderAPointTellsPicturesAndTheirHints)
{
    const ViewerObject titled = objectOfPicture(0);
    EXPECT_TRUE(titled.isImage());
    EXPECT_EQ(titled.hint, QStringLiteral("Title hint"));
    EXPECT_EQ(titled.imageSource, QStringLiteral("a.png"));
    EXPECT_EQ(objectOfPicture(1).hint, QStringLiteral("Only alt"));
    const ViewerObject bare = objectOfPicture(2);
    EXPECT_TRUE(bare.isImage());
    EXPECT_FALSE(bare.hasHint());
    const ViewerObject linked = objectOfPicture(3);
    EXPECT_EQ(linked.hint, QStringLiteral("Linked"));
    EXPECT_EQ(linked.linkUrl, QStringLiteral("big.htm"));

    EXPECT_EQ(objectOfPicture(0).id, titled.id);
    EXPECT_NE(objectOfPicture(1).id, titled.id);

    const QPoint onText = view().viewport()->mapTo(
        viewer.get(), UserInput::PointOfText(*viewer, QStringLiteral("world")));
    EXPECT_EQ(viewer->objectAt(onText).kind, ViewerObject::Text);
    EXPECT_EQ(viewer->objectAt(QPoint(590, 390)).kind, ViewerObject::None);
    EXPECT_EQ(viewer->objectAt(QPoint(-5, 10)).kind, ViewerObject::None);
}

TEST_F(ViewerText, DropDownListsAreRealControlsOverThePage)
{
    const QList<FormControl> controls = viewer->formControls();
    ASSERT_EQ(controls.size(), 1);
    EXPECT_EQ(controls[0].name, QStringLiteral("Serial"));
    EXPECT_EQ(controls[0].kind, QStringLiteral("select"));
    EXPECT_EQ(controls[0].items, QStringList({"AAA-111", "BBB-222", "CCC-333"}));
    EXPECT_EQ(controls[0].selectedText(), QStringLiteral("BBB-222"));

    const QList<QComboBox*> boxes = viewer->findChildren<QComboBox*>();
    ASSERT_EQ(boxes.size(), 1);
    QComboBox* box = boxes[0];
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->currentText(), QStringLiteral("BBB-222"));
    ASSERT_EQ(box->parentWidget(), view().viewport());
    const QPoint keyText = UserInput::PointOfText(*viewer, QStringLiteral("Key:"));
    const QPoint endText = UserInput::PointOfText(*viewer, QStringLiteral("end"));
    EXPECT_GT(box->geometry().left(), keyText.x());
    EXPECT_LT(box->geometry().right(), endText.x());
    EXPECT_TRUE(box->geometry().contains(QPoint(box->geometry().center().x(), keyText.y())));

    const QPoint before = box->mapTo(viewer.get(), QPoint());
    viewer->setVerticalPosition(30);
    EXPECT_EQ(box->mapTo(viewer.get(), QPoint()), before - QPoint(0, 30));

    box->setCurrentIndex(2);
    EXPECT_EQ(viewer->formControls()[0].selectedText(), QStringLiteral("CCC-333"));
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\html\\other.htm")));
    EXPECT_TRUE(viewer->formControls().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(viewer->findChildren<QComboBox*>().isEmpty());
}

TEST_F(ViewerText, ACopyCarriesThePlainTextAndTheHtmlOfItsLook)
{
    disc.writeToDisk(QStringLiteral("run\\styled.htm"),
                     "<p>plain <b style=\"color:#ff0000\">bold red</b> <i>slanted</i></p>"
                     "<p><a href=\"next.htm\">a &lt;link&gt;</a> after</p>");
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\styled.htm")));
    viewer->selectAll();
    viewer->copySelection();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    ASSERT_TRUE(copied->hasText());
    ASSERT_TRUE(copied->hasHtml());
    EXPECT_EQ(copied->text(), QStringLiteral("plain bold red slanted\na <link> after"));
    const QString html = copied->html();
    EXPECT_TRUE(html.contains(QStringLiteral("color:#ff0000;font-weight:bold")));
    EXPECT_TRUE(html.contains(QStringLiteral("font-style:italic\"")) ||
                html.contains(QStringLiteral("font-style:italic;")));
    EXPECT_TRUE(html.contains(QStringLiteral("<a href=\"next.htm\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;link&gt;")));
    EXPECT_TRUE(html.contains(QStringLiteral("<br>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<link>")));
}
