#include "dialogs/AboutBox.h"

#include "EventPump.h"
#include "effects/EffBtnCar.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

QImage Plain(int width, int height, QRgb colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

class AboutBox : public ::testing::Test {
protected:
    void Create()
    {
        TAboutBoxContext context;
        context.Lines = {
            "picture=about.bmp",
            "vertex=[20,0;300,0;300,200;",
            "0,200;0,20]",
            "text vx=10;vy=10;font=dejavu sans;size=10;style=bold;color=255,255,255;",
            "value=demo disc;idenf=none",
            "text vx=10;vy=40;font=dejavu sans;size=10;style=underline;color=0,0,255;",
            "value=mail@example.org?subject=hello;idenf=url",
            "text vx=10;vy=70;font=dejavu sans;size=10;style=;color=0,0,255;",
            "value=http://example.org/;idenf=url",
            "button vx=200;vy=150;fn1=ok_u.bmp;fn2=ok_m.bmp;hint=close;wav=no",
        };
        context.ReadPicture = [](const QString& name) {
            if (name == QLatin1String("about.bmp")) {
                return Plain(300, 200, qRgb(20, 20, 60));
            }
            if (name.startsWith(QLatin1String("ok_"))) {
                return Plain(60, 24,
                             name.contains(QLatin1Char('u')) ? qRgb(0, 0, 200) : qRgb(0, 200, 0));
            }
            return QImage();
        };
        context.OpenTarget = [this](const QString& target) { opened << target; };
        box = std::make_unique<TAboutBox>(context);
        box->ShowBox();
        ASSERT_TRUE(pumpUntil([this] { return !box->FadingIn(); }));
    }
    void Mouse(QEvent::Type type, QPoint at)
    {
        QMouseEvent event(type, at, box->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(box.get(), &event);
    }
    const TAboutElement& Link(int n) const
    {
        int seen = 0;
        for (const TAboutElement& element : box->Elements()) {
            if (element.Link && seen++ == n) {
                return element;
            }
        }
        throw std::out_of_range("no such link");
    }

    QStringList opened;
    std::unique_ptr<TAboutBox> box;
};

} // namespace

TEST(AboutBoxLinks, MailLinksShowUpToTheQuestionMarkAndOpenMailto)
{
    EXPECT_EQ(TAboutBox::LinkTarget(QStringLiteral("me@x.org?subject=a")),
              QStringLiteral("mailto:me@x.org?subject=a"));
    EXPECT_EQ(TAboutBox::LinkCaption(QStringLiteral("me@x.org?subject=a")),
              QStringLiteral("me@x.org"));
    EXPECT_EQ(TAboutBox::LinkTarget(QStringLiteral("http://x.org/?q=1")),
              QStringLiteral("http://x.org/?q=1"));
}

TEST_F(AboutBox, ThePictureTheOutlineAndTheElementsComeFromTheDescription)
{
    Create();
    EXPECT_EQ(box->size(), QSize(300, 200));
    EXPECT_EQ(box->Outline().size(), 5) << "a list over two lines";
    EXPECT_FALSE(box->mask().contains(QPoint(2, 2))) << "the window is cut to its outline";
    EXPECT_TRUE(box->mask().contains(QPoint(150, 100)));
    ASSERT_EQ(box->Elements().size(), 3u) << "one button, two links; plain text is no element";
    EXPECT_EQ(box->Picture().pixel(210, 160), qRgb(0, 0, 200)) << "the button is drawn in";
    EXPECT_EQ(Link(0).Target, QStringLiteral("mailto:mail@example.org?subject=hello"));
    EXPECT_EQ(Link(1).Target, QStringLiteral("http://example.org/"));
}

TEST_F(AboutBox, LinksOpenAndStayButtonsClose)
{
    Create();
    const QPoint link = Link(1).Bounds.center();
    Mouse(QEvent::MouseMove, link);
    EXPECT_EQ(box->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(Link(1).Effect) << "a link never cross-fades";
    Mouse(QEvent::MouseMove, QPoint(5, 190));
    EXPECT_EQ(box->cursor().shape(), Qt::ArrowCursor);
    Mouse(QEvent::MouseButtonPress, link);
    EXPECT_EQ(opened, QStringList({"http://example.org/"}));
    EXPECT_TRUE(box->isVisible());
    Mouse(QEvent::MouseMove, QPoint(230, 160));
    Mouse(QEvent::MouseButtonPress, QPoint(230, 160));
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->result(), QDialog::Accepted);
}
