#include "Clips.h"

#include "Backdrop.h"
#include "Canvas.h"
#include "Palette.h"

#include <QPainter>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>

using namespace Palette;

namespace {

constexpr qreal Pi = 3.14159265358979;
constexpr qreal DiscRadius = 112;

QPointF discCentre()
{
    return QPointF(Clips::VideoArea.width() - 170, Clips::VideoArea.height() / 2.0);
}

// The disc alone on transparency, its centre in the middle of the picture,
// drawn large and scaled down so that its ring of letters stays apart.
const QImage& discPicture()
{
    static const QImage picture = [] {
        constexpr qreal drawn = 188;
        const int side = int(2 * drawn) + 80;
        QImage image = Canvas::transparentImage(side, side);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        Backdrop::disc(p, QPointF(side / 2.0, side / 2.0), drawn);
        p.end();
        const int scaled = int(side * DiscRadius / drawn);
        return image.scaled(scaled, scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }();
    return picture;
}

void tagline(QPainter& p)
{
    p.setFont(Canvas::font(QStringLiteral("DejaVu Sans"), 13, true));
    p.setPen(alpha(Gold, 220));
    Canvas::drawTracked(p, QPointF(34, 92), QStringLiteral("ДИСК В ДВИЖЕНИИ"), 2.4);
    p.setFont(Canvas::font(QStringLiteral("DejaVu Sans"), 14, false));
    p.setPen(alpha(Mist, 230));
    p.drawText(QPointF(34, 128), QStringLiteral("страницы  ·  поиск  ·  галерея  ·  музыка"));
    p.setFont(Canvas::font(QStringLiteral("DejaVu Sans"), 12, false));
    p.setPen(Dim);
    p.drawText(QPointF(34, 164), QStringLiteral("Переключатель 3D справа запускает ролик,"));
    p.drawText(QPointF(34, 184), QStringLiteral("щелчок по нему останавливает диск."));
}

// The disc turned about its upright axis by angle: narrowed by the cosine,
// its silver back showing on the far half of the turn.
void turnedDisc(QPainter& p, qreal angle)
{
    const qreal c = std::cos(angle);
    const QImage& disc = discPicture();
    p.save();
    p.translate(discCentre());
    p.scale(std::max(std::abs(c), 0.02), 1);
    p.drawImage(QPointF(-disc.width() / 2.0, -disc.height() / 2.0),
                c >= 0 ? disc : disc.mirrored(true, false));
    if (c < 0) {
        QPainterPath face;
        face.addEllipse(QPointF(0, 0), DiscRadius, DiscRadius);
        p.fillPath(face, QColor(210, 214, 230, 120));
    }
    p.restore();
}

} // namespace

namespace Clips {

QImage stage()
{
    QImage image(VideoArea.size(), QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient depth(0, 0, 0, image.height());
    depth.setColorAt(0, Ink);
    depth.setColorAt(1, Night);
    p.fillRect(image.rect(), depth);
    QRadialGradient glow(discCentre(), DiscRadius * 1.6);
    glow.setColorAt(0, alpha(Violet, 120));
    glow.setColorAt(1, alpha(Violet, 0));
    p.fillRect(image.rect(), glow);
    const QRectF floor(discCentre().x() - DiscRadius, discCentre().y() + DiscRadius - 6,
                       2 * DiscRadius, 16);
    QRadialGradient shadow(floor.center(), DiscRadius);
    shadow.setColorAt(0, QColor(0, 0, 0, 140));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(floor);
    tagline(p);
    return image;
}

QImage stageAtRest()
{
    return turningFrame(0);
}

QImage turningFrame(int index)
{
    QImage image = stage();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    turnedDisc(p, 2 * Pi * index / TurnFrames);
    return image;
}

QImage introFrame(int index)
{
    QImage image(IntroSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QRadialGradient sky(QPointF(160, 100), 220);
    sky.setColorAt(0, Dusk);
    sky.setColorAt(1, Ink);
    p.fillRect(image.rect(), sky);
    const qreal t = qreal(index) / (IntroFrames - 1);
    const qreal grow = std::min(1.0, 0.25 + t * 1.5);
    const QImage& disc = discPicture();
    p.save();
    p.translate(160, 100);
    p.scale(grow * 0.55 * std::max(std::abs(std::cos(3 * Pi * t)), 0.05), grow * 0.55);
    p.drawImage(QPointF(-disc.width() / 2.0, -disc.height() / 2.0), disc);
    p.restore();
    p.setOpacity(std::clamp((t - 0.3) * 3, 0.0, 1.0));
    p.setFont(Canvas::font(QStringLiteral("DejaVu Serif"), 22, true));
    p.setPen(Lavender);
    p.drawText(QRectF(0, 176, 320, 30), Qt::AlignHCenter, QStringLiteral("Демонстрационный"));
    p.setPen(GoldLight);
    p.drawText(QRectF(0, 204, 320, 30), Qt::AlignHCenter, QStringLiteral("диск"));
    p.setOpacity(std::clamp((t - 0.85) * 6.5, 0.0, 1.0));
    p.fillRect(image.rect(), Qt::black);
    return image;
}

} // namespace Clips
