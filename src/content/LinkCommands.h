#pragma once

#include <QString>
#include <memory>

class IPagePanels;
class IViewerInstances;
class THtmlViewer;
struct TContentContext;

// Links in pages: a click is offered to the shell before the viewer follows
// it, and the shell decides by a fixed order of tests whether it handles it
// (a separate viewer window, the browser or mail program, print, copy, games,
// archives, programs, sounds) or lets the viewer load the target as a page.
// While the mouse is over a link, the standard window's status bar tells
// about it.
class TLinkCommands {
public:
    TLinkCommands(IPagePanels& panels, TContentContext& context);
    ~TLinkCommands();

    // viewer: the (frame) viewer holding the link; *handled true stops the
    // viewer from following it.
    void LinkClick(THtmlViewer* viewer, const QString& target, const QString& url, bool* handled);
    void LinkHover(THtmlViewer* viewer, const QString& target, const QString& url);
    // The status text of a link, before the target frame is added.
    QString HoverText(const THtmlViewer& viewer, const QString& url) const;

    // The folder last chosen for a ".zip" link; empty at start.
    const QString& SaveFolder() const { return saveFolder_; }
    static const QString& ZipFilter();

private:
    // A clicked link: the URL as written, lower-cased, and made a full
    // lower-case path by the viewer, with the extension of that path.
    struct Link {
        THtmlViewer& viewer;
        QString target;
        QString url;
        QString lowerUrl;
        QString expanded;
        QString extension;
    };
    static Link Describe(THtmlViewer& viewer, const QString& target, const QString& url);

    void MarkVisited(THtmlViewer& viewer, const QString& file) const;
    void OpenInSeparateWindow(const Link& link);
    bool RunCommandLink(const Link& link);
    void RunGameCommand(const QString& gameCommand);
    static QString GameCommandOf(const QString& url);
    QString CopyText(const THtmlViewer& viewer, const QString& url) const;
    bool GameHasValue(const QString& key, const QString& value) const;
    void UnpackListedArchive(const Link& link);
    bool IsPageOrPicture(const Link& link) const;
    bool ShowPageOrPicture(const Link& link);
    void OpenOtherFile(const Link& link);
    QString FromProgramDrive(const QString& file) const;
    void SaveZip(const QString& file);
    IViewerInstances& Instances();

    IPagePanels& panels_;
    TContentContext& context_;
    std::unique_ptr<IViewerInstances> ownInstances_;
    QString saveFolder_;
};
