#pragma once

#include "TempDir.h"
#include "data/ArchiveWriter.h"
#include "data/PackedArchive.h"
#include "engine/DocumentGeometry.h"
#include "platform/CodePage.h"
#include "platform/VirtualFs.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
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

// Input as a user gives it, sent to the browser's viewport.
namespace UserInput {

inline QPoint PointOfText(QTextBrowser& browser, const QString& text)
{
    const QTextCursor found = browser.document()->find(text);
    QTextCursor middle(browser.document());
    middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
    return browser.cursorRect(middle).center();
}

// The middle of the picture at a document position, in the viewer's coordinates.
inline QPoint PointOfPicture(QWidget& viewer, QTextBrowser& browser, int position)
{
    const QRectF box = DocumentGeometry::InlineObjectRect(*browser.document(), position);
    const QPoint scroll(browser.horizontalScrollBar()->value(),
                        browser.verticalScrollBar()->value());
    return browser.viewport()->mapTo(&viewer, box.center().toPoint() - scroll);
}

// Document position of the n-th picture (0-based), -1 if none.
inline int PictureAt(QTextDocument& document, int n)
{
    QTextCursor cursor(&document);
    for (int i = 0; i <= n; ++i) {
        cursor = document.find(QString(QChar::ObjectReplacementCharacter), cursor);
        if (cursor.isNull()) {
            return -1;
        }
    }
    return cursor.selectionStart();
}

inline void Move(QTextBrowser& browser, QPoint point)
{
    QMouseEvent move(QEvent::MouseMove, point, browser.viewport()->mapToGlobal(point), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(browser.viewport(), &move);
}

inline void Click(QTextBrowser& browser, QPoint point)
{
    Move(browser, point);
    const QPoint global = browser.viewport()->mapToGlobal(point);
    QMouseEvent press(QEvent::MouseButtonPress, point, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(browser.viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, point, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(browser.viewport(), &release);
}

inline void ClickText(QTextBrowser& browser, const QString& text)
{
    Click(browser, PointOfText(browser, text));
}

} // namespace UserInput
