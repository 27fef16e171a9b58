#include "EngineTestDisc.h"
#include "engine/HtmlViewer.h"

#include <QKeyEvent>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Click {
    THtmlViewer* source = nullptr;
    QString target;
    QString url;
};

const QString kPage = QStringLiteral("d:\\run\\html\\a.htm");

// A page of links, its targets beside it, and a viewer that records the
// clicks it reports; answer decides the "handled" reply.
class ViewerLinks : public ::testing::Test {
protected:
    void SetUp() override
    {
        disc.addToArchive(
            QStringLiteral("html\\a.htm"),
            "<title>A</title><p><a href=\"b.htm\">to b</a> <a href=\"B.HTM\" target=\"x\">b "
            "again</a> <a href=\"http://example.org/\">web</a> <a href=\"mailto:me@x\">mail</a> "
            "<a href=\"printhtml:doc.htm\">print</a> <a href=\"rungame:=setup.exe=Key\">game</a> "
            "<a href=\"files/tools.zip\">zip</a> <a href=\"#end\">down</a></p>" +
                QByteArray(4000, '\n').replace("\n", "<br>") + "<a name=end>bottom</a>");
        disc.addToArchive(QStringLiteral("html\\b.htm"), "<title>B</title>page b");
        ASSERT_TRUE(disc.openArchive());
        viewer.reset(CreateHtmlViewer(nullptr));
        viewer->resize(600, 300);
        viewer->show();
        QObject::connect(
            viewer.get(), &THtmlViewer::linkClicked,
            [this](THtmlViewer* source, const QString& target, const QString& url, bool* handled) {
                clicks.append({source, target, url});
                *handled = answer;
            });
        ASSERT_TRUE(viewer->loadFile(kPage));
    }
    THtmlViewer& shown() { return *viewer; }
    QColor colourOf(const QString& text) { return UserInput::ColourOf(*viewer, text); }

    EngineTestDisc disc;
    std::unique_ptr<THtmlViewer> viewer;
    QList<Click> clicks;
    bool answer = false;
};

} // namespace

TEST_F(ViewerLinks, AClickIsReportedWithItsTargetBeforeTheViewerFollowsIt)
{
    answer = true;
    UserInput::ClickText(shown(), QStringLiteral("b again"));
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0].source, viewer.get());
    EXPECT_EQ(clicks[0].target, QStringLiteral("x"));
    EXPECT_EQ(clicks[0].url, QStringLiteral("B.HTM"));
    EXPECT_EQ(viewer->currentFile(), kPage);

    answer = false;
    UserInput::ClickText(shown(), QStringLiteral("to b"));
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(viewer->currentFile(), QStringLiteral("d:\\run\\html\\b.htm"));
    EXPECT_EQ(viewer->documentTitle(), QStringLiteral("B"));
    EXPECT_EQ(viewer->historyFiles().size(), 2);
    EXPECT_TRUE(viewer->visitedLinks().contains(QStringLiteral("d:\\run\\html\\b.htm")));
}

TEST_F(ViewerLinks, LinksWithSchemesAndOtherFilesAreOnlyReported)
{
    for (const char* text : {"web", "mail", "print", "game", "zip"}) {
        UserInput::ClickText(shown(), QString::fromLatin1(text));
    }
    ASSERT_EQ(clicks.size(), 5);
    EXPECT_EQ(clicks[0].url, QStringLiteral("http://example.org/"));
    EXPECT_EQ(clicks[2].url, QStringLiteral("printhtml:doc.htm"));
    EXPECT_EQ(clicks[3].url, QStringLiteral("rungame:=setup.exe=Key"));
    EXPECT_EQ(viewer->expandUrl(clicks[4].url), QStringLiteral("d:\\run\\html\\files\\tools.zip"));
    EXPECT_EQ(viewer->currentFile(), kPage);
    EXPECT_EQ(viewer->historyFiles().size(), 1);
}

TEST_F(ViewerLinks, AnAnchorLinkScrollsWithinThePage)
{
    EXPECT_EQ(viewer->verticalPosition(), 0);
    UserInput::ClickText(shown(), QStringLiteral("down"));
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0].url, QStringLiteral("#end"));
    EXPECT_GT(viewer->verticalPosition(), 0);
    EXPECT_EQ(viewer->currentFile(), kPage);
    EXPECT_EQ(viewer->historyFiles().size(), 1);
}

TEST_F(ViewerLinks, HoveringALinkReportsItAndPaintsItHot)
{
    QStringList hovered;
    QObject::connect(viewer.get(), &THtmlViewer::linkHovered,
                     [&hovered](THtmlViewer*, const QString& target, const QString& url) {
                         hovered.append(target + QLatin1Char('|') + url);
                     });
    const QColor plain = colourOf(QStringLiteral("b again"));
    UserInput::Move(shown(), UserInput::PointOfText(shown(), QStringLiteral("b again")));
    ASSERT_EQ(hovered, QStringList({"x|B.HTM"}));
    EXPECT_EQ(colourOf(QStringLiteral("b again")), viewer->defaults().hotLinkColor);
    UserInput::Move(shown(), QPoint(590, 290));
    ASSERT_EQ(hovered.size(), 2);
    EXPECT_EQ(hovered[1], QStringLiteral("|"));
    EXPECT_EQ(colourOf(QStringLiteral("b again")), plain);
}

TEST_F(ViewerLinks, VisitedLinksAreMarkedAndRemarked)
{
    const QColor plain = colourOf(QStringLiteral("to b"));
    EXPECT_EQ(plain, viewer->defaults().linkColor);
    viewer->addVisitedLink(QStringLiteral("D:\\RUN\\HTML\\B.HTM"));
    EXPECT_EQ(colourOf(QStringLiteral("to b")), plain);
    viewer->checkVisitedLinks();
    EXPECT_EQ(colourOf(QStringLiteral("to b")), viewer->defaults().visitedColor);
    EXPECT_EQ(colourOf(QStringLiteral("b again")), viewer->defaults().visitedColor);
    EXPECT_EQ(colourOf(QStringLiteral("web")), plain);

    for (int n = 0; n < 25; ++n) {
        viewer->addVisitedLink(QStringLiteral("d:\\other%1.htm").arg(n));
    }
    EXPECT_EQ(viewer->visitedLinks().size(), 20);
    viewer->checkVisitedLinks();
    EXPECT_EQ(colourOf(QStringLiteral("to b")), plain);
}

TEST_F(ViewerLinks, KeysAndMouseAreReportedInViewerCoordinates)
{
    QList<int> keys;
    QList<QPoint> presses;
    QObject::connect(viewer.get(), &THtmlViewer::keyDown,
                     [&keys](int key, Qt::KeyboardModifiers modifiers) {
                         keys.append(modifiers == Qt::ControlModifier ? -key : key);
                     });
    QObject::connect(viewer.get(), &THtmlViewer::mousePressed,
                     [&presses](QPoint point, Qt::MouseButton, Qt::MouseButtons,
                                Qt::KeyboardModifiers) { presses.append(point); });
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("c"));
    QWidget* view = &UserInput::ViewOf(shown());
    QApplication::sendEvent(view, &copy);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(view, &enter);
    EXPECT_EQ(keys, QList<int>({-Qt::Key_C, Qt::Key_Return}));
    UserInput::Click(shown(), QPoint(300, 200));
    ASSERT_EQ(presses.size(), 1);
    EXPECT_EQ(presses[0], UserInput::Viewport(shown())->mapTo(viewer.get(), QPoint(300, 200)));
}

// Links share a few tokens in the text: links with the same token, an empty
// link before them, a mouse jump between two of them and a link chosen with
// the keyboard must still each be told apart by their place.
TEST_F(ViewerLinks, ManyLinksAreToldApartByTheirPlace)
{
    QByteArray html = "<p>";
    for (int n = 0; n < 140; ++n) {
        html += n == 5 ? QByteArray("<a href=\"empty.htm\"></a>")
                       : "<a href=\"p" + QByteArray::number(n) + ".htm\">[" +
                             QByteArray::number(n) + "]</a> ";
    }
    html += "<a href=\"pic.htm\"><img src=\"none.png\" width=30 height=20></a></p>";
    disc.writeToDisk(QStringLiteral("run\\many.htm"), html);
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\many.htm")));
    answer = true;
    for (const char* text : {"[70]", "[6]", "[134]", "[4]"}) {
        UserInput::ClickText(shown(), QString::fromLatin1(text));
    }
    ASSERT_EQ(clicks.size(), 4);
    EXPECT_EQ(clicks[0].url, QStringLiteral("p70.htm"));
    EXPECT_EQ(clicks[1].url, QStringLiteral("p6.htm"));
    EXPECT_EQ(clicks[2].url, QStringLiteral("p134.htm"));
    EXPECT_EQ(clicks[3].url, QStringLiteral("p4.htm"));

    QStringList hovered;
    QObject::connect(
        viewer.get(), &THtmlViewer::linkHovered,
        [&hovered](THtmlViewer*, const QString&, const QString& url) { hovered.append(url); });
    UserInput::Move(shown(), UserInput::PointOfText(shown(), QStringLiteral("[7]")));
    UserInput::Move(shown(), UserInput::PointOfText(shown(), QStringLiteral("[71]")));
    EXPECT_EQ(hovered, QStringList({"p7.htm", "p71.htm"}));
    EXPECT_EQ(colourOf(QStringLiteral("[71]")), viewer->defaults().hotLinkColor);
    EXPECT_EQ(colourOf(QStringLiteral("[7]")), viewer->defaults().linkColor);

    EXPECT_EQ(viewer->objectAt(UserInput::PointOfPicture(*viewer, 0)).linkUrl,
              QStringLiteral("pic.htm"));

    ASSERT_TRUE(viewer->findNext(QStringLiteral("[75]"), true));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&UserInput::ViewOf(shown()), &enter);
    ASSERT_EQ(clicks.size(), 5);
    EXPECT_EQ(clicks[4].url, QStringLiteral("p75.htm"));
}

// The viewer's link colours are defaults: a page's own rule for its links
// wins even when it names the element alone, as in a browser, and links the
// page does not style keep the defaults.
TEST_F(ViewerLinks, APagesOwnLinkRuleWinsOverTheViewersDefaults)
{
    disc.writeToDisk(
        QStringLiteral("run\\styled.htm"),
        "<style>a, a:visited { color: #cc0000 } .plain a { color: inherit }</style>"
        "<p><a href=\"b.htm\">red link</a></p>"
        "<p style=\"color: #008000\" class=plain><a href=\"c.htm\">green link</a></p>");
    ASSERT_TRUE(viewer->loadFile(QStringLiteral("d:\\run\\styled.htm")));
    EXPECT_EQ(colourOf(QStringLiteral("red link")), QColor(0xcc, 0, 0));
    EXPECT_EQ(colourOf(QStringLiteral("green link")), QColor(0, 0x80, 0));
    viewer->addVisitedLink(QStringLiteral("d:\\run\\b.htm"));
    viewer->checkVisitedLinks();
    EXPECT_EQ(colourOf(QStringLiteral("red link")), QColor(0xcc, 0, 0));

    ASSERT_TRUE(viewer->loadFile(kPage));
    EXPECT_EQ(colourOf(QStringLiteral("web")), viewer->defaults().linkColor);
}
