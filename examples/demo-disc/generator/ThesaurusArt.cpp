#include "ThesaurusArt.h"

#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>

using namespace Palette;

namespace {

const QSize WindowSize(560, 552);
const QRectF HeaderBand(0, 0, 560, 48);
const QRectF SearchBox(23.5, 55.5, 278, 22);
const QRectF PageFrame(15.5, 91.5, 529, 445);

} // namespace

namespace ThesaurusArt {

QImage background()
{
    QImage image(WindowSize, QImage::Format_RGB32);
    image.fill(Parchment);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 0, HeaderBand.height());
    band.setColorAt(0, Indigo);
    band.setColorAt(1, Night);
    p.fillRect(HeaderBand, band);
    p.fillRect(QRectF(0, HeaderBand.bottom(), WindowSize.width(), 2), Gold);
    p.setPen(QPen(Lilac, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(SearchBox, 4, 4);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Mist, 1));
    p.drawRect(PageFrame);
    p.end();
    return image;
}

} // namespace ThesaurusArt
