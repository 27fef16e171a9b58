#include "engine/ImageMap.h"

#include <QList>
#include <QPolygon>
#include <QRegularExpression>
#include <QStringList>

namespace {

constexpr int kMaxPoints = 1000; // of one polygon

QList<int> numbersOf(const QString& coords)
{
    QList<int> numbers;
    for (const QString& part :
         coords.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts)) {
        if (numbers.size() >= 2 * kMaxPoints) {
            break;
        }
        numbers.append(qBound(-100000, part.toInt(), 100000));
    }
    return numbers;
}

QString attribute(const litehtml::element::ptr& element, const char* name)
{
    const char* value = element->get_attr(name);
    return value ? QString::fromUtf8(value) : QString();
}

} // namespace

namespace ImageMap {

bool Contains(const QString& shape, const QString& coords, QPoint point)
{
    const QString kind = shape.trimmed().toLower();
    const QList<int> n = numbersOf(coords);
    if (kind == QLatin1String("default")) {
        return true;
    }
    if (kind == QLatin1String("circle") || kind == QLatin1String("circ")) {
        if (n.size() < 3) {
            return false;
        }
        const qint64 dx = point.x() - n[0];
        const qint64 dy = point.y() - n[1];
        return dx * dx + dy * dy <= qint64(n[2]) * n[2];
    }
    if (kind == QLatin1String("poly") || kind == QLatin1String("polygon")) {
        QPolygon polygon;
        for (int i = 0; i + 1 < n.size(); i += 2) {
            polygon.append(QPoint(n[i], n[i + 1]));
        }
        return polygon.size() >= 3 && polygon.containsPoint(point, Qt::OddEvenFill);
    }
    if (n.size() < 4) {
        return false;
    }
    return QRect(QPoint(qMin(n[0], n[2]), qMin(n[1], n[3])),
                 QPoint(qMax(n[0], n[2]) - 1, qMax(n[1], n[3]) - 1))
        .contains(point);
}

litehtml::element::ptr AreaAt(const litehtml::element::ptr& image, QPoint point)
{
    const QString usemap = attribute(image, "usemap").trimmed();
    if (!usemap.startsWith(QLatin1Char('#')) || usemap.size() < 2) {
        return nullptr;
    }
    const std::string name = usemap.mid(1).toStdString();
    const litehtml::position place = image->get_placement();
    const QPoint inside = point - QPoint(place.x, place.y);
    const litehtml::element::ptr root = image->get_document()->root();
    for (const litehtml::element::ptr& map : root->select_all("map")) {
        const char* mapName = map->get_attr("name");
        const char* id = map->get_attr("id");
        if (!(mapName && name == mapName) && !(id && name == id)) {
            continue;
        }
        for (const litehtml::element::ptr& area : map->select_all("area")) {
            if (Contains(attribute(area, "shape"), attribute(area, "coords"), inside)) {
                return area;
            }
        }
        return nullptr;
    }
    return nullptr;
}

} // namespace ImageMap
