#pragma once

#include "StructLayout.h"

#include <QImage>
#include <QMap>
#include <QString>

// Draws and writes everything the demo disc needs besides its texts, into a
// staging copy of the disc sources:
//   resources/  the screen backgrounds, the control and popup pictures, the icon,
//               the pages and control pictures of the skinned dialog, the
//               picture and button pictures of the about box
//               and the stage of the 3-D view ("3d_bg.bmp")
//   files/       the click sounds, the music, the slide show and its thumbnails,
//               the intro clip and the turning disc of the 3-D view ("car.avi")
//   archive/run/pics/  the pictures of the pages
// The places and picture names come from resources/Struct.txt and, for the
// dialog and the about box, resources/Dialog.txt and resources/About.txt.
class DemoArt {
public:
    explicit DemoArt(const QString& stagingFolder);

    bool writeAll();
    QString errorString() const { return error_; }

private:
    bool writeScreens();
    bool writeControls();
    bool writeControl(const StructLayout::Element& element);
    bool checkSharedPlace(const StructLayout::Element& element, const QSize& size);
    bool writePopups();
    bool writeDialog();
    bool writeIcon();
    bool writePictures();
    bool writeSounds();
    bool writeClips();
    bool writeAbout();
    bool writeThesaurus();
    bool savePictures(const QMap<QString, QImage>& pictures);
    bool saveImage(const QImage& image, const QString& path, const char* format);
    bool saveBytes(const QByteArray& bytes, const QString& path);

    QString resources_;
    QString files_;
    QString pagePictures_;
    QString error_;
    StructLayout layout_;
    QMap<int, QImage> screens_;
    QMap<QString, QImage> controlPictures_;
};
