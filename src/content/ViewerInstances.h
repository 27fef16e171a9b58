#pragma once

#include "platform/WindowRegistry.h"

#include <QList>
#include <QString>
#include <optional>

// The separate picture viewers of "_blank" links: other instances of the
// program in file-viewer mode, recognised by the caption of their window.
class IViewerInstances {
public:
    virtual ~IViewerInstances() = default;
    // Visible viewer windows, the most recently activated first.
    virtual QList<TWindowHandle> ViewerWindows() = 0;
    // Whether the window shows the file; nullopt when it gave no answer in time.
    virtual std::optional<bool> AskShowsFile(TWindowHandle window, const QString& file) = 0;
    // Restores the window and brings it to the front.
    virtual void BringToFront(TWindowHandle window) = 0;
    // Starts another instance of the program showing the file.
    virtual bool StartViewer(const QString& file) = 0;
};

// The caption of a file-viewer window.
inline const QString& ViewerCaption()
{
    static const QString caption = QStringLiteral("Увеличенная картинка");
    return caption;
}

// The instances of the program on this machine: windows through the
// instances layer, new ones started with the disc they must open.
class TViewerInstances final : public IViewerInstances {
public:
    // sender: the asking main window; discHost, discRootHost: the disc the
    // new instances open.
    TViewerInstances(TWindowHandle sender, QString discHost, QString discRootHost);

    QList<TWindowHandle> ViewerWindows() override;
    std::optional<bool> AskShowsFile(TWindowHandle window, const QString& file) override;
    void BringToFront(TWindowHandle window) override;
    bool StartViewer(const QString& file) override;

    // Ten waits of 50 ms for an answer.
    static constexpr int AnswerTimeoutMs = 500;
    // Captions take part in the comparison up to this length.
    static constexpr int CaptionLength = 128;

private:
    TWindowHandle sender_;
    QString discHost_;
    QString discRootHost_;
};
