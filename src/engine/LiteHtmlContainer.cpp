#include "engine/LiteHtmlContainer.h"

#include "data/PageCharset.h"
#include "engine/HtmlResources.h"
#include "engine/LiteHtmlBody.h"
#include "engine/LiteHtmlClipped.h"
#include "engine/LiteHtmlTable.h"
#include "engine/PagePaths.h"
#include "engine/PresentationalCss.h"

#include <QFontInfo>
#include <QMutex>
#include <QPainter>
#include <QPainterPath>
#include <cstring>

namespace {

QPainter& painterOf(litehtml::uint_ptr hdc)
{
    return *reinterpret_cast<QPainter*>(hdc);
}

QColor colourOf(const litehtml::web_color& colour)
{
    return QColor(colour.red, colour.green, colour.blue, colour.alpha);
}

QRect rectOf(const litehtml::position& pos)
{
    return QRect(pos.x, pos.y, pos.width, pos.height);
}

// Whether the font database has a face for the family, its own or one that
// stands in for it (Liberation Mono for Courier New). The database answers
// every name with some face; a name it does not know gets the face that a
// name nobody has gets, and is taken as missing.
bool hasFaceFor(const QString& family)
{
    static QMutex mutex;
    static QHash<QString, bool> known;
    const QMutexLocker lock(&mutex);
    const QString key = family.toLower();
    const auto found = known.constFind(key);
    if (found != known.constEnd()) {
        return *found;
    }
    const auto resolved = [](const QString& name) {
        QFont font;
        font.setFamilies({name});
        return QFontInfo(font).family().toLower();
    };
    static const QString fallback = resolved(QStringLiteral("discshell no such family"));
    const bool has = key == fallback || resolved(family) != fallback;
    known.insert(key, has);
    return has;
}

// "Arial, 'Times New Roman', serif": the families the font database has a
// face for, in the page's order, as a browser goes down the list. Generic
// families always have one.
QStringList familiesOf(const QString& faceName)
{
    QStringList families;
    for (QString family : faceName.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        family = family.trimmed();
        family.remove(QLatin1Char('"'));
        family.remove(QLatin1Char('\''));
        const QString lower = family.toLower();
        if (lower == QLatin1String("sans-serif")) {
            families.append(QStringLiteral("Sans Serif"));
        } else if (lower == QLatin1String("serif")) {
            families.append(QStringLiteral("Serif"));
        } else if (lower == QLatin1String("monospace")) {
            families.append(QStringLiteral("Monospace"));
        } else if (!family.isEmpty() && hasFaceFor(family)) {
            families.append(family);
        }
    }
    return families;
}

QColor shaded(const QColor& colour, bool darker)
{
    return darker ? colour.darker(150) : colour.lighter(150);
}

void drawSide(QPainter& painter, const litehtml::border& side, const QPolygon& shape, bool darkSide)
{
    if (side.width <= 0 || side.style == litehtml::border_style_none ||
        side.style == litehtml::border_style_hidden) {
        return;
    }
    QColor colour = colourOf(side.color);
    if (side.style == litehtml::border_style_inset) {
        colour = shaded(colour, !darkSide);
    } else if (side.style == litehtml::border_style_outset) {
        colour = shaded(colour, darkSide);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(shape);
}

} // namespace

LiteHtmlContainer::LiteHtmlContainer(std::shared_ptr<HtmlResources> resources,
                                     const QString& pageFile, const ViewerDefaults& defaults,
                                     Media media)
    : resources_(std::move(resources)), pageFile_(pageFile), defaults_(defaults),
      defaultFontName_(defaults.fontName.toUtf8()), media_(media), client_(800, 600)
{
}

LiteHtmlContainer::~LiteHtmlContainer() = default;

QString LiteHtmlContainer::resolve(const QString& url, const QString& base) const
{
    const QString link = url.trimmed();
    if (link.isEmpty() || (PagePaths::HasScheme(link) &&
                           !link.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))) {
        return QString();
    }
    const QString from = !base.isEmpty() ? base : !baseFile_.isEmpty() ? baseFile_ : pageFile_;
    return PagePaths::WithoutAnchor(PagePaths::Expand(from, link));
}

litehtml::uint_ptr LiteHtmlContainer::create_font(const char* faceName, int size, int weight,
                                                  litehtml::font_style italic,
                                                  unsigned int decoration,
                                                  litehtml::font_metrics* fm)
{
    QFont font;
    const QStringList families = familiesOf(FromUtf8(faceName));
    font.setFamilies(families.isEmpty() ? QStringList{defaults_.fontName} : families);
    font.setPixelSize(qBound(1, size, PresentationalCss::kMaxFontSize));
    font.setWeight(QFont::Weight(qBound(1, weight, 1000)));
    font.setItalic(italic == litehtml::fontStyleItalic);
    font.setUnderline(decoration & litehtml::font_decoration_underline);
    font.setStrikeOut(decoration & litehtml::font_decoration_linethrough);
    font.setOverline(decoration & litehtml::font_decoration_overline);
    // Latin and Cyrillic text is measured and drawn without the shaping
    // engine, the larger part of laying a page out; scripts that need it
    // keep it.
    font.setStyleStrategy(QFont::PreferNoShaping);
    auto* made = new Font{font, QFontMetrics(font), {}};
    if (fm) {
        fm->ascent = made->metrics.ascent();
        fm->descent = made->metrics.descent();
        fm->height = made->metrics.height();
        fm->x_height = made->metrics.xHeight();
        fm->draw_spaces = font.italic() || decoration != 0;
    }
    return reinterpret_cast<litehtml::uint_ptr>(made);
}

void LiteHtmlContainer::delete_font(litehtml::uint_ptr font)
{
    delete reinterpret_cast<Font*>(font);
}

int LiteHtmlContainer::TextWidth(litehtml::uint_ptr font, const QString& text)
{
    return reinterpret_cast<Font*>(font)->metrics.horizontalAdvance(text);
}

QFont LiteHtmlContainer::FontOf(litehtml::uint_ptr font)
{
    return font ? reinterpret_cast<Font*>(font)->font : QFont();
}

int LiteHtmlContainer::text_width(const char* text, litehtml::uint_ptr font)
{
    Font& used = *reinterpret_cast<Font*>(font);
    const QString word = FromUtf8(text);
    const auto known = used.widths.constFind(word);
    if (known != used.widths.cend()) {
        return *known;
    }
    const int width = used.metrics.horizontalAdvance(word);
    if (used.widths.size() < kMaxCachedWidths) {
        used.widths.insert(word, width);
    }
    return width;
}

void LiteHtmlContainer::draw_text(litehtml::uint_ptr hdc, const char* text, litehtml::uint_ptr font,
                                  litehtml::web_color color, const litehtml::position& pos)
{
    QPainter& painter = painterOf(hdc);
    const Font& used = *reinterpret_cast<Font*>(font);
    painter.setFont(used.font);
    painter.setPen(colourOf(color));
    painter.drawText(pos.x, pos.y + used.metrics.ascent(), FromUtf8(text));
}

int LiteHtmlContainer::pt_to_px(int pt) const
{
    return pt * 96 / 72;
}

int LiteHtmlContainer::get_default_font_size() const
{
    return pt_to_px(qBound(1, defaults_.fontSize, 200));
}

const char* LiteHtmlContainer::get_default_font_name() const
{
    return defaultFontName_.constData();
}

void LiteHtmlContainer::draw_list_marker(litehtml::uint_ptr hdc,
                                         const litehtml::list_marker& marker)
{
    QPainter& painter = painterOf(hdc);
    const QRect box = rectOf(marker.pos);
    const QColor colour = colourOf(marker.color);
    if (!marker.image.empty()) {
        const QImage image = picture(marker.image.c_str(), marker.baseurl);
        if (!image.isNull()) {
            painter.drawImage(box.topLeft(), image);
            return;
        }
    }
    painter.setPen(colour);
    switch (marker.marker_type) {
    case litehtml::list_style_type_none:
        return;
    case litehtml::list_style_type_circle:
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box.adjusted(0, 0, -1, -1));
        return;
    case litehtml::list_style_type_square:
        painter.fillRect(box, colour);
        return;
    case litehtml::list_style_type_disc:
        painter.setBrush(colour);
        painter.drawEllipse(box);
        return;
    default:
        break;
    }
    if (marker.font) {
        const Font& used = *reinterpret_cast<Font*>(marker.font);
        const QString number = QString::number(marker.index) + QLatin1Char('.');
        painter.setFont(used.font);
        const int width = used.metrics.horizontalAdvance(number);
        painter.drawText(box.right() - width, box.bottom(), number);
    }
}

QImage LiteHtmlContainer::picture(const char* src, const char* baseurl) const
{
    if (!resources_->loadsImages()) {
        return QImage();
    }
    const QString path = resolve(FromUtf8(src), baseurl ? FromUtf8(baseurl) : QString());
    return path.isEmpty() ? QImage() : resources_->picture(path);
}

void LiteHtmlContainer::load_image(const char*, const char*, bool)
{
    // Pictures decode when first drawn; their sizes come from their headers.
}

void LiteHtmlContainer::get_image_size(const char* src, const char* baseurl, litehtml::size& sz)
{
    sz.width = 0;
    sz.height = 0;
    const QString path = resolve(FromUtf8(src), baseurl ? FromUtf8(baseurl) : QString());
    if (path.isEmpty()) {
        return;
    }
    const QSize size = resources_->pictureSize(path);
    if (size.isValid()) {
        sz.width = qMin(size.width(), PresentationalCss::kMaxLength);
        sz.height = qMin(size.height(), PresentationalCss::kMaxLength);
    }
}

void LiteHtmlContainer::draw_background(litehtml::uint_ptr hdc,
                                        const litehtml::background_paint& bg)
{
    QPainter& painter = painterOf(hdc);
    const QRect clip = rectOf(bg.clip_box);
    // litehtml draws an <img> as an unrepeated background filling its box.
    const bool isPicture =
        !bg.image.empty() && bg.repeat == litehtml::background_repeat_no_repeat &&
        bg.image_size.width == clip.width() && bg.image_size.height == clip.height();
    if (!drawBackgrounds_ && !isPicture) {
        return;
    }
    if (bg.color.alpha > 0) {
        painter.fillRect(clip, colourOf(bg.color));
    }
    if (bg.image.empty()) {
        return;
    }
    const QImage image = picture(bg.image.c_str(), bg.baseurl.c_str());
    if (!image.isNull()) {
        drawPicture(painter, bg, image);
    }
}

void LiteHtmlContainer::drawPicture(QPainter& painter, const litehtml::background_paint& bg,
                                    const QImage& image) const
{
    const QRect clip = rectOf(bg.clip_box);
    const QSize size(qMax(1, bg.image_size.width), qMax(1, bg.image_size.height));
    const QImage scaled = size == image.size() ? image : image.scaled(size);
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    const QPoint origin(bg.position_x, bg.position_y);
    switch (bg.repeat) {
    case litehtml::background_repeat_no_repeat:
        painter.drawImage(origin, scaled);
        break;
    case litehtml::background_repeat_repeat_x:
        painter.drawTiledPixmap(QRect(clip.left(), origin.y(), clip.width(), size.height()),
                                QPixmap::fromImage(scaled),
                                QPoint((clip.left() - origin.x()) % size.width(), 0));
        break;
    case litehtml::background_repeat_repeat_y:
        painter.drawTiledPixmap(QRect(origin.x(), clip.top(), size.width(), clip.height()),
                                QPixmap::fromImage(scaled),
                                QPoint(0, (clip.top() - origin.y()) % size.height()));
        break;
    default:
        painter.drawTiledPixmap(clip, QPixmap::fromImage(scaled),
                                QPoint((clip.left() - origin.x()) % size.width(),
                                       (clip.top() - origin.y()) % size.height()));
        break;
    }
    painter.restore();
}

void LiteHtmlContainer::draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                                     const litehtml::position& draw_pos, bool)
{
    QPainter& painter = painterOf(hdc);
    const QRect box = rectOf(draw_pos);
    const int l = borders.left.width, t = borders.top.width;
    const int r = borders.right.width, b = borders.bottom.width;
    const int x0 = box.left(), y0 = box.top();
    const int x1 = box.left() + box.width(), y1 = box.top() + box.height();
    painter.save();
    drawSide(
        painter, borders.top,
        QPolygon({QPoint(x0, y0), QPoint(x1, y0), QPoint(x1 - r, y0 + t), QPoint(x0 + l, y0 + t)}),
        false);
    drawSide(
        painter, borders.left,
        QPolygon({QPoint(x0, y0), QPoint(x0 + l, y0 + t), QPoint(x0 + l, y1 - b), QPoint(x0, y1)}),
        false);
    drawSide(
        painter, borders.bottom,
        QPolygon({QPoint(x0, y1), QPoint(x0 + l, y1 - b), QPoint(x1 - r, y1 - b), QPoint(x1, y1)}),
        true);
    drawSide(
        painter, borders.right,
        QPolygon({QPoint(x1, y0), QPoint(x1, y1), QPoint(x1 - r, y1 - b), QPoint(x1 - r, y0 + t)}),
        true);
    painter.restore();
}

void LiteHtmlContainer::set_caption(const char* caption)
{
    title_ = FromUtf8(caption).simplified();
}

void LiteHtmlContainer::set_base_url(const char* base_url)
{
    const QString base = FromUtf8(base_url).trimmed();
    baseFile_ = base.isEmpty() || PagePaths::HasScheme(base) ? QString()
                                                             : PagePaths::Expand(pageFile_, base);
}

void LiteHtmlContainer::link(const std::shared_ptr<litehtml::document>&,
                             const litehtml::element::ptr&)
{
}

void LiteHtmlContainer::on_anchor_click(const char* url, const litehtml::element::ptr& el)
{
    if (anchorClicked_) {
        anchorClicked_(FromUtf8(url), el);
    }
}

void LiteHtmlContainer::set_cursor(const char* cursor)
{
    cursor_ = FromUtf8(cursor);
}

void LiteHtmlContainer::transform_text(litehtml::tstring& text, litehtml::text_transform tt)
{
    QString changed = QString::fromStdString(text);
    if (tt == litehtml::text_transform_uppercase) {
        changed = changed.toUpper();
    } else if (tt == litehtml::text_transform_lowercase) {
        changed = changed.toLower();
    } else if (tt == litehtml::text_transform_capitalize && !changed.isEmpty()) {
        changed[0] = changed.at(0).toUpper();
    }
    text = changed.toStdString();
}

void LiteHtmlContainer::import_css(litehtml::tstring& text, const litehtml::tstring& url,
                                   litehtml::tstring& baseurl)
{
    text.clear();
    if (++imports_ > kMaxImports) {
        return;
    }
    // litehtml hands "@import 'x.css'" over with the quotes of its string.
    QString name = QString::fromStdString(url).trimmed();
    if (name.size() >= 2 &&
        (name.front() == QLatin1Char('"') || name.front() == QLatin1Char('\'')) &&
        name.back() == name.front()) {
        name = name.mid(1, name.size() - 2);
    }
    const QString path = resolve(name, QString::fromStdString(baseurl));
    if (path.isEmpty()) {
        return;
    }
    const std::optional<QByteArray> bytes = HtmlResources::ReadFile(path);
    if (!bytes) {
        return;
    }
    text = PageCharset::DecodeText(*bytes).toStdString();
    baseurl = path.toStdString();
}

void LiteHtmlContainer::set_clip(const litehtml::position& pos, const litehtml::border_radiuses&,
                                 bool, bool)
{
    if (!painter_) {
        return;
    }
    painter_->save();
    painter_->setClipRect(rectOf(pos), Qt::IntersectClip);
    ++clips_;
}

void LiteHtmlContainer::del_clip()
{
    if (painter_ && clips_ > 0) {
        painter_->restore();
        --clips_;
    }
}

void LiteHtmlContainer::get_client_rect(litehtml::position& client) const
{
    client.x = 0;
    client.y = 0;
    client.width = client_.width();
    client.height = client_.height();
}

std::shared_ptr<litehtml::element>
LiteHtmlContainer::create_element(const char* tagName, const litehtml::string_map&,
                                  const std::shared_ptr<litehtml::document>& document)
{
    if (std::strcmp(tagName, "body") == 0) {
        return std::make_shared<LiteHtmlBody>(document);
    }
    if (std::strcmp(tagName, "table") == 0) {
        return std::make_shared<LiteHtmlTable>(document);
    }
    return LiteHtmlReach::Create(tagName, document);
}

void LiteHtmlContainer::get_media_features(litehtml::media_features& media) const
{
    media.type = media_ == Media::Print ? litehtml::media_type_print : litehtml::media_type_screen;
    media.width = client_.width();
    media.height = client_.height();
    media.device_width = client_.width();
    media.device_height = client_.height();
    media.color = 8;
    media.monochrome = 0;
    media.color_index = 256;
    media.resolution = 96;
}

void LiteHtmlContainer::get_language(litehtml::tstring& language, litehtml::tstring& culture) const
{
    language = "en";
    culture.clear();
}
