#pragma once

#include "ContentTestDisc.h"
#include "content/HtmlFrame.h"
#include "engine/HtmlViewer.h"

#include <QBuffer>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

// Fakes of the shell's components that write what they are asked to a log.
struct FakePathInputs : IPathInputs {
    QString folder;
    void ScreenChanged() override {}
    QString InstallFolder() const override { return folder; }
};

struct FakePopups : IPopupController {
    QStringList& log;
    explicit FakePopups(QStringList& into) : log(into) {}
    void RebuildPopups() override {}
    void ShowPopup(int type, QPoint point) override
    {
        log << QStringLiteral("popup %1 at %2,%3").arg(type).arg(point.x()).arg(point.y());
    }
    void HideAllPopups() override { log << QStringLiteral("hide popups"); }
    void SetItemCount(int, int) override {}
    void AppendItem(const QString&, const QString&, int) override {}
    void SetItem(const QString&, const QString&, int, int) override {}
    void ShowItem(bool, int, int) override {}
};

// Page panels on a main window of 800 x 600 with the background panel of the
// content screen: screen 0 has panels 1 and 2, screen 1 panel 3, screen 2
// panel 4, screen 3 none. The pages lie in the archive under "d:\run\html\".
class HtmlFrameFixture : public ::testing::Test {
protected:
    static QString Html(const QString& name) { return QStringLiteral("d:\\run\\html\\") + name; }
    static RHTML Panel(int number, int screen, QRect rect, const QString& file)
    {
        RHTML panel;
        panel.Left = rect.left();
        panel.Top = rect.top();
        panel.Right = rect.left() + rect.width();
        panel.Bottom = rect.top() + rect.height();
        panel.Number = number;
        panel.Screen = screen;
        panel.File = file;
        return panel;
    }
    static QByteArray Jpeg(QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG");
        return bytes;
    }

    void SetUp() override
    {
        for (const char* name : {"a", "b", "c", "d", "e", "f", "guide", "p2", "p3"}) {
            const QString page = QString::fromLatin1(name);
            disc.addToArchive(
                QStringLiteral("html\\") + page + QStringLiteral(".htm"),
                ContentTestDisc::Page(page.toUpper(), QStringLiteral("Text of ") + page));
        }
        disc.addToArchive(QStringLiteral("html\\pic.jpg"), Jpeg(QSize(40, 30)));
        ASSERT_TRUE(disc.openArchive());
        FillContext(context, disc, screen, log);
        context.Components = &components;
        context.Hooks.ShiftPressAt = [this](QPoint point) { presses << point; };
        context.Hooks.ShowStatus = [this](const QString& text) {
            log << QStringLiteral("status ") + text;
        };
        window.resize(800, 600);
        background = new QWidget(&window);
        background->setGeometry(33, 90, 673, 421);
        panels = {Panel(1, 0, QRect(10, 10, 200, 100), Html(QStringLiteral("a.htm"))),
                  Panel(2, 0, QRect(300, 10, 200, 200), Html(QStringLiteral("b.htm"))),
                  Panel(3, 1, QRect(33, 90, 673, 421), Html(QStringLiteral("c.htm"))),
                  Panel(4, 2, QRect(20, 20, 300, 300), Html(QStringLiteral("d.htm")))};
    }
    void Create()
    {
        frame = CreatePagePanels(&window, background, panels, context);
        ASSERT_TRUE(frame);
    }
    void SwitchTo(int index)
    {
        screen = index;
        frame->ScreenChanged();
    }
    THtmlViewer& Current() { return *frame->CurrentViewer(); }

    ContentTestDisc disc;
    int screen = 0;
    QStringList log;
    QList<QPoint> presses;
    TComponentSet components;
    TContentContext context;
    QWidget window;
    QWidget* background = nullptr;
    TDynamicHTMLArray panels;
    std::unique_ptr<THtmlFrame> frame;
};
