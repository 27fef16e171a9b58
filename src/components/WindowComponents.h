#pragma once

#include "interface/InterfaceRecords.h"

#include <QString>

class IStandardPage;
class QPainter;

// What the main window asks of the components it does not make itself: their
// creation in the order of the start-up, the few calls they need while the
// window runs, and their end. The program entry implements it and fills the
// window's component set as it creates them. Without an implementation (the
// window's own tests) every step does nothing and no component exists.
class IWindowComponents {
public:
    virtual ~IWindowComponents() = default;

    // Start-up, in the order the window calls them.
    // The components of the thesaurus window (status line, text elements,
    // page panels, find fields); false when the mode is not available.
    virtual bool RunThesaurusMode() { return false; }
    virtual void CreateOptionsWindow(bool /*hasPictureAreas*/) {}
    virtual void InstallCodecs(const QString& /*codecRequest*/, bool /*clipOn*/) {}
    // The status line, the fonts installer, the music player and the
    // volume event.
    virtual void CreateServices() {}
    // The components of the screens, after the background panel exists:
    // text elements, page panels, find-text fields, installation-folder
    // fields, clip player, slide show, popups, contents tree, scale bar and
    // the animated picture.
    virtual void CreateScreenComponents() {}
    // The file viewer's one page panel and its clip player.
    virtual void CreateViewerComponents(const TDynamicHTMLArray& /*panels*/) {}
    virtual void EnableOptionChecks(bool /*introClipDeclared*/, bool /*clickSoundsDeclared*/) {}
    // True when the intro clip plays; its window then continues the start-up.
    virtual bool PlayIntroClip() { return false; }
    virtual void CreateSkinnedDialog() {}

    // Running.
    // The text elements of the interface, on the window's face.
    virtual void PaintTextMessages(QPainter& /*painter*/) {}
    // The animated picture runs on every screen but the content screen.
    virtual void ShowGifAnimation(bool /*shown*/) {}
    // The standard window's view of the page panels; null without panels.
    virtual IStandardPage* StandardPage() const { return nullptr; }

    // Shutdown.
    virtual void ReleaseVideoPlayer() {}
    // The about box and the skinned dialog close.
    virtual void CloseDialogs() {}
    virtual void FreeComponents() {}
};
