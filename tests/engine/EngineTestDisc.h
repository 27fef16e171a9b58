#pragma once

#include "TempDir.h"
#include "data/ArchiveWriter.h"
#include "data/PackedArchive.h"
#include "engine/LiteHtmlContainer.h"
#include "engine/LiteHtmlView.h"
#include "engine/LiteHtmlViewer.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <ostream>

// A disc for viewer tests: "d:\" is a temporary folder, and the process-wide
// archive is "d:\run\interface.dat" with "d:\run\" as its base, holding the
// members added before openArchive().
class EngineTestDisc {
public:
    EngineTestDisc()
    {
        VirtualFs::instance().mount(QStringLiteral("d:\\"), dir_.path());
        SetArchiveDamageHandler([](const QString&) {});
    }
    ~EngineTestDisc()
    {
        OpenArchive(QStringLiteral("d:\\no-archive.dat"));
        VirtualFs::instance().unmount(QStringLiteral("d:\\"));
        SetArchiveDamageHandler({});
    }

    // relative: below "d:\run\", e.g. "html\page.htm".
    void addToArchive(const QString& relative, const QByteArray& bytes)
    {
        writer_.addFile(relative, bytes);
    }
    // relative: below "d:\", with "/" or "\".
    void writeToDisk(const QString& relative, const QByteArray& bytes)
    {
        dir_.write(QString(relative).replace(QLatin1Char('\\'), QLatin1Char('/')), bytes);
    }
    bool openArchive()
    {
        dir_.write(QStringLiteral("run/.keep"), QByteArray());
        if (!writer_.write(dir_.file(QStringLiteral("run/interface.dat")))) {
            return false;
        }
        const bool opened = OpenArchive(QStringLiteral("d:\\run\\interface.dat"));
        SetArchiveBase(QStringLiteral("d:\\run\\"));
        return opened;
    }

    static QByteArray Picture(QSize size, const char* format, QColor colour = Qt::blue)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return bytes;
    }
    static QByteArray Cp1251(const QString& text) { return CodePage::toCp1251(text); }

private:
    TempDir dir_;
    ArchiveWriter writer_;
};

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// Input as a user gives it, sent to the viewport of a viewer's page view,
// and what the page shows, read back from the engine.
namespace UserInput {

inline LiteHtmlView& ViewOf(THtmlViewer& viewer)
{
    return *static_cast<LiteHtmlViewer&>(viewer).view();
}
inline QWidget* Viewport(THtmlViewer& viewer)
{
    return ViewOf(viewer).viewport();
}

// Characters of the nth match of text on the page shown (case sensitive).
inline PageText::Range RangeOfText(THtmlViewer& viewer, const QString& text, int nth = 0)
{
    const PageText& page = ViewOf(viewer).text();
    PageText::Range found = page.find(text, true, 0);
    for (int i = 0; i < nth && !found.isEmpty(); ++i) {
        found = page.find(text, true, found.end);
    }
    return found;
}

// The middle of the first match of text, in viewport coordinates.
inline QPoint PointOfText(THtmlViewer& viewer, const QString& text)
{
    const PageText::Range found = RangeOfText(viewer, text);
    const qsizetype middle = (found.begin + found.end) / 2;
    const QList<QRect> boxes = ViewOf(viewer).text().boxes({middle, middle + 1});
    if (found.isEmpty() || boxes.isEmpty()) {
        ADD_FAILURE() << "no text " << text.toStdString();
        return QPoint(-1, -1);
    }
    return boxes.first().center() - ViewOf(viewer).toPage(QPoint());
}

// The element that draws the middle character of the first match of text.
inline litehtml::element::ptr ElementOfText(THtmlViewer& viewer, const QString& text)
{
    const PageText::Range found = RangeOfText(viewer, text);
    const PageText& page = ViewOf(viewer).text();
    const int run = page.runOf((found.begin + found.end) / 2);
    if (found.isEmpty() || run < 0) {
        ADD_FAILURE() << "no text " << text.toStdString();
        return nullptr;
    }
    return page.runs().at(run).element;
}

// The colour text is drawn in.
inline QColor ColourOf(THtmlViewer& viewer, const QString& text)
{
    const litehtml::element::ptr element = ElementOfText(viewer, text);
    if (!element) {
        return QColor();
    }
    const litehtml::web_color colour = element->get_color("color", true);
    return QColor(colour.red, colour.green, colour.blue);
}

inline QFont FontOf(THtmlViewer& viewer, const QString& text)
{
    const litehtml::element::ptr element = ElementOfText(viewer, text);
    return element ? LiteHtmlContainer::FontOf(element->get_font()) : QFont();
}

// The box of the n-th picture (0-based) on the page, page coordinates; an
// invalid box if none.
inline QRect PictureBox(THtmlViewer& viewer, int n)
{
    LiteHtmlPage* page = ViewOf(viewer).page();
    if (!page || !page->document()) {
        return QRect();
    }
    const litehtml::elements_vector pictures = page->document()->root()->select_all("img");
    if (n < 0 || n >= int(pictures.size())) {
        return QRect();
    }
    const litehtml::position box = pictures[size_t(n)]->get_placement();
    return QRect(box.x, box.y, box.width, box.height);
}

// The middle of the n-th picture, in the viewer's coordinates.
inline QPoint PointOfPicture(THtmlViewer& viewer, int n)
{
    const QRect box = PictureBox(viewer, n);
    EXPECT_TRUE(box.isValid()) << "no picture " << n;
    return Viewport(viewer)->mapTo(&viewer, box.center() - ViewOf(viewer).toPage(QPoint()));
}

inline void Move(THtmlViewer& viewer, QPoint point)
{
    QWidget* target = Viewport(viewer);
    QMouseEvent move(QEvent::MouseMove, point, target->mapToGlobal(point), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
}

inline void Click(THtmlViewer& viewer, QPoint point)
{
    Move(viewer, point);
    QWidget* target = Viewport(viewer);
    const QPoint global = target->mapToGlobal(point);
    QMouseEvent press(QEvent::MouseButtonPress, point, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, point, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

inline void ClickText(THtmlViewer& viewer, const QString& text)
{
    Click(viewer, PointOfText(viewer, text));
}

} // namespace UserInput
