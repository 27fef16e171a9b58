#include "shell/StandardWindowGeometry.h"

#include <QStringList>

namespace StandardWindowGeometry {

namespace {

const QSize schemeSize(780, 550);
const QSize pictureMargin(45, 90);
constexpr int defaultLeft = 40;
constexpr int defaultTop = 30;

QString lowerExtensionOf(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot).toLower();
}

} // namespace

QString FileNameOf(const QString& file)
{
    const qsizetype slash =
        qMax(file.lastIndexOf(QLatin1Char('\\')), file.lastIndexOf(QLatin1Char('/')));
    return file.mid(slash + 1);
}

QSize SizeFor(const QString& file, QSize pictureSize, QSize current)
{
    const QString name = FileNameOf(file);
    if (name.compare(QLatin1String("scheme.bmp"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("scheme_lux.bmp"), Qt::CaseInsensitive) == 0) {
        return schemeSize;
    }
    static const QStringList pictures{QStringLiteral(".bmp"), QStringLiteral(".gif"),
                                      QStringLiteral(".jpg"), QStringLiteral(".jpeg")};
    if (pictures.contains(lowerExtensionOf(name)) && !pictureSize.isEmpty()) {
        return pictureSize + pictureMargin;
    }
    return current;
}

QPoint PositionFor(QSize size, QSize workArea)
{
    QPoint position(defaultLeft, defaultTop);
    if (position.x() + size.width() > workArea.width()) {
        position.setX(0);
    }
    if (position.y() + size.height() > workArea.height()) {
        position.setY(0);
    }
    return position;
}

} // namespace StandardWindowGeometry
