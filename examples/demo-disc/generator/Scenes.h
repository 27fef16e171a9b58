#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// The pictures of the slide show and of the picture page: six small painted
// scenes, each drawn from code at any size.
namespace Scenes {

struct Scene {
    QString stem;  // file name without extension
    QString title; // shown on the slide
    bool jpeg = false;
    QImage (*paint)(const QSize& size);
};

QList<Scene> all();

// A scene as a slide: the picture with its title on a dark band.
QImage slide(const Scene& scene, const QSize& size);

QImage mountains(const QSize& size);
QImage lighthouse(const QSize& size);
QImage aurora(const QSize& size);
QImage city(const QSize& size);
QImage planet(const QSize& size);
QImage pattern(const QSize& size);

} // namespace Scenes
