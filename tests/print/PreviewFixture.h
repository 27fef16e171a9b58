#pragma once

#include "EngineTestDisc.h"
#include "ModalWatchdog.h"
#include "engine/HtmlViewer.h"
#include "print/PreviewForm.h"
#include "print/PrintStatusForm.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Runs an action on every window of type T as it is shown. Actions that
// close a modal window must do so from the event loop (QTimer::singleShot).
template <typename T> class WhenShown : public QObject {
public:
    explicit WhenShown(std::function<void(T*)> action) : action_(std::move(action))
    {
        qApp->installEventFilter(this);
    }
    ~WhenShown() override { qApp->removeEventFilter(this); }
    int shown() const { return shown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (T* window = qobject_cast<T*>(watched)) {
                ++shown_;
                action_(window);
            }
        }
        return false;
    }

private:
    std::function<void(T*)> action_;
    int shown_ = 0;
};

// Cancels every layout or print at its first page.
struct CancelEveryRun : WhenShown<TPrnStatusForm> {
    CancelEveryRun()
        : WhenShown<TPrnStatusForm>([](TPrnStatusForm* status) {
              QObject::connect(status, &TPrnStatusForm::pageReported, status,
                               [status] { status->CancelButton()->click(); });
          })
    {
    }
};

inline void Click(QWidget* widget, QPoint point, Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint global = widget->mapToGlobal(point);
    QMouseEvent press(QEvent::MouseButtonPress, point, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, point, global, button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// Pages of a test disc in a real viewer, and preview hooks that record what
// would have asked the user. A modal window left waiting fails the test.
class PreviewTest : public ::testing::Test {
protected:
    static inline const QString kLongPage = QStringLiteral("d:\\run\\html\\long.htm");
    static inline const QString kShortPage = QStringLiteral("d:\\run\\html\\short.htm");

    void SetUp() override
    {
        disc.addToArchive(QStringLiteral("html\\long.htm"), LongPage(150));
        disc.addToArchive(QStringLiteral("html\\short.htm"),
                          "<body bgcolor=\"#ffff00\"><p>One short page.</p></body>");
        ASSERT_TRUE(disc.openArchive());
        viewer.reset(CreateHtmlViewer(nullptr));
        viewer->resize(600, 400);
        hooks.PrinterAvailable = [] { return true; };
        hooks.Warn = [this](QWidget*, const QString& text) { warnings.append(text); };
        hooks.Help = [this] { ++helpCalls; };
    }

    static QByteArray LongPage(int paragraphs)
    {
        QByteArray html = "<body><h1>Report</h1>";
        for (int i = 0; i < paragraphs; ++i) {
            html += "<p>Paragraph " + QByteArray::number(i) +
                    " with enough words to fill a line of the printed page.</p>";
        }
        return html + "</body>";
    }

    // The preview of a page, opened but not shown; null when it cannot run.
    std::unique_ptr<TPreviewForm> Open(const QString& page, bool picture = false,
                                       QSize pictureSize = QSize())
    {
        if (!page.isEmpty() && !viewer->loadFile(page)) {
            return nullptr;
        }
        return TPreviewForm::Create(nullptr, *viewer, picture, pictureSize, hooks);
    }

    // A picture written to the disc, as a virtual path.
    QString Picture(const QString& name, QSize size, QColor colour = Qt::green)
    {
        disc.writeToDisk(QStringLiteral("run\\pics\\") + name,
                         EngineTestDisc::Picture(size, "PNG", colour));
        return QStringLiteral("d:\\run\\pics\\") + name;
    }

    static int PdfPageCount(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return -1;
        }
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
        return int(QString::fromLatin1(file.readAll()).count(page));
    }

    ModalWatchdog watchdog;
    EngineTestDisc disc;
    std::unique_ptr<THtmlViewer> viewer;
    TPreviewHooks hooks;
    QStringList warnings;
    int helpCalls = 0;
};
