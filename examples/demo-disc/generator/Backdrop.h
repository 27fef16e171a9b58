#pragma once

#include <QImage>
#include <QPointF>
#include <QPolygon>
#include <QRectF>
#include <QString>

class QPainter;

// The pieces the screen backgrounds share: the night-sky base cut to the
// window outline, the header band with the brand, the tray under the system
// buttons, the disc emblem, inset wells for fields and areas, small captions.
namespace Backdrop {

constexpr int Width = 800;
constexpr int Height = 600;
constexpr int HeaderHeight = 84;

// The base of a screen: outside the outline near-black, inside a deep
// gradient with a soft glow around glowCentre.
QImage base(const QPolygon& outline, QPointF glowCentre);

// Grain over the whole picture, the lit edge of the outline and the tray of
// the system buttons, which is the same on every screen.
void finish(QImage& image, const QPolygon& outline, quint32 seed);

// The header band of the inner screens with the emblem and the disc's name.
void header(QPainter& painter);

// A small disc: the emblem of the brand and of the program icon.
void emblem(QPainter& painter, QPointF centre, qreal radius);

// The large iridescent disc of the start screen.
void disc(QPainter& painter, QPointF centre, qreal radius);

// A sunken box for a field or a media area.
void well(QPainter& painter, const QRectF& rect, qreal radius, const QColor& fill);

// A frosted card behind a group of controls or a text.
void card(QPainter& painter, const QRectF& rect, qreal radius);

// Small spaced capitals centred on centreX, with their top at top.
void label(QPainter& painter, qreal centreX, qreal top, const QString& text);

// Faint stars scattered over area.
void sparkles(QPainter& painter, const QRect& area, quint32 seed, int count);

} // namespace Backdrop
