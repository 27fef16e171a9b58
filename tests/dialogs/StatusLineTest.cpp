#include "dialogs/StatusLine.h"

#include "dialogs/TextMsg.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// A window that counts its repaints.
class Window : public QWidget {
public:
    int paints = 0;
    QRegion painted;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++paints;
        painted += event->region();
    }
};

RText Text(qint32 number, const char* ident, qint32 screen = 0)
{
    RText text;
    text.Left = 10;
    text.Top = 20;
    text.Right = 300;
    text.Font = QStringLiteral("DejaVu Sans");
    text.Size = 10;
    text.Style = QStringLiteral("bold italic");
    text.Number = number;
    text.Screen = screen;
    text.Ident = QString::fromLatin1(ident);
    return text;
}

} // namespace

TEST(TextMsg, TextsAreSetByNumberOrAsTheStatusLine)
{
    Window window;
    window.resize(400, 300);
    TTextMsg texts(&window, {Text(1, "pagename"), Text(2, "StatusLine"), Text(3, "statusline")},
                   [] { return 0; });
    EXPECT_TRUE(TTextMsg::FontOf(Text(1, "")).bold());
    EXPECT_TRUE(TTextMsg::FontOf(Text(1, "")).italic());
    texts.SetText(QStringLiteral("Заголовок"), 1, true);
    EXPECT_EQ(texts.Text(0), QStringLiteral("Заголовок"));
    texts.SetText(QStringLiteral("Статус"), TTextMsg::kStatusLine, true);
    EXPECT_EQ(texts.Text(1), QStringLiteral("Статус"));
    EXPECT_EQ(texts.Text(2), QStringLiteral("Статус"));
    EXPECT_EQ(texts.Text(0), QStringLiteral("Заголовок"));
    QImage canvas(400, 300, QImage::Format_RGB32);
    QPainter painter(&canvas);
    texts.PaintTexts(painter, false);
    EXPECT_GT(texts.TextRect(0).width(), 0);
    EXPECT_EQ(texts.TextRect(0).topLeft(), QPoint(10, 20));
}

TEST(TextMsg, ALongTextStopsAtTheRightEdgeOfItsArea)
{
    Window window;
    TTextMsg texts(&window, {Text(1, "pagename")}, [] { return 0; });
    QImage canvas(800, 300, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    texts.SetText(QStringLiteral("Короткий"), 1, true);
    {
        QPainter painter(&canvas);
        texts.PaintTexts(painter, false);
    }
    const int shortWidth = texts.TextRect(0).width();
    EXPECT_LT(shortWidth, 290) << "a short text keeps its own width";

    texts.SetText(QString(60, QChar(0x0416)), 1, true);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        texts.PaintTexts(painter, false);
    }
    EXPECT_LE(texts.TextRect(0).right(), 300);
    EXPECT_GT(texts.TextRect(0).width(), shortWidth);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 301; x < canvas.width(); ++x) {
            ASSERT_EQ(canvas.pixel(x, y), qRgb(0, 0, 0)) << "painted beyond the area at " << x;
        }
    }
}

TEST(TextMsg, DialogTextsNeedTheDialog)
{
    Window window;
    TTextMsg texts(&window, {Text(TTextMsg::kDialogNumber, "")}, [] { return 0; });
    texts.SetText(QStringLiteral("x"), TTextMsg::kDialogNumber, true);
    EXPECT_EQ(texts.Text(0), QStringLiteral("x")) << "kept for when the dialog comes";
    Window dialog;
    texts.SetDialog(&dialog);
    QImage canvas(400, 300, QImage::Format_RGB32);
    QPainter painter(&canvas);
    texts.PaintTexts(painter, false);
    EXPECT_EQ(texts.TextRect(0).right(), 300) << "not painted on the main window";
    texts.PaintTexts(painter, true);
    EXPECT_GT(texts.TextRect(0).width(), 0);
}

TEST(StatusLine, AMessageBlinksAndGoesAfterItsLastTick)
{
    Window window;
    TTextMsg texts(&window, {Text(2, "statusline")}, [] { return 0; });
    TStatusLine status(&texts);
    status.ShowStatus(QStringLiteral("Текст не найден"));
    EXPECT_EQ(texts.Text(0), QStringLiteral("Текст не найден"));
    EXPECT_TRUE(status.Blinking());
    status.BlinkTick();
    EXPECT_TRUE(texts.Text(0).isEmpty());
    status.BlinkTick();
    EXPECT_EQ(texts.Text(0), QStringLiteral("Текст не найден"));
    status.ShowStatus(QStringLiteral("Введите слово для поиска"));
    EXPECT_EQ(status.BlinkCount(), 1) << "a new message starts the blinking again";
    for (int tick = 1; tick < TStatusLine::kLastBlink; ++tick) {
        status.BlinkTick();
    }
    EXPECT_TRUE(texts.Text(0).isEmpty()) << "gone after the 39th tick";
    EXPECT_TRUE(status.Blinking());
    status.BlinkTick();
    EXPECT_FALSE(status.Blinking());
    status.ShowStatus(QStringLiteral("x"));
    status.ClearStatus();
    EXPECT_TRUE(texts.Text(0).isEmpty());
    EXPECT_FALSE(status.Blinking());

    TStatusLine silent(nullptr);
    silent.ShowStatus(QStringLiteral("x"));
    EXPECT_FALSE(silent.Blinking()) << "without texts nothing happens";
}

TEST(TextMsg, TheSameTextTwiceDoesNotRepaint)
{
    Window window;
    window.resize(400, 300);
    window.show();
    TTextMsg texts(&window, {Text(1, "")}, [] { return 0; });
    QCoreApplication::processEvents();
    const int before = window.paints;
    texts.SetText(QStringLiteral("abc"), 1, true);
    QCoreApplication::processEvents();
    const int after = window.paints;
    EXPECT_GT(after, before);
    texts.SetText(QStringLiteral("abc"), 1, true);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.paints, after);
}
