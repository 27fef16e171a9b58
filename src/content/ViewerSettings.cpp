#include "content/ViewerSettings.h"

#include "platform/Registry.h"

namespace {

constexpr auto kUser = RegistryHive::CurrentUser;
const QString kFontName = QStringLiteral("FontName");
const QString kFontColor = QStringLiteral("FontColor");
const QString kFontSize = QStringLiteral("FontSize");
const QString kHotSpotColor = QStringLiteral("HotSpotColor");
const QString kBackground = QStringLiteral("Background");

constexpr qint32 kDefaultFontColor = 0;
constexpr qint32 kDefaultFontSize = 8;
constexpr qint32 kDefaultHotSpotColor = 13158; // $003366
constexpr qint32 kDefaultBackground = 0xFFFFFF;
// Sizes beyond these are damage, not taste, and would make every page unusable.
constexpr qint32 kSmallestFontSize = 1;
constexpr qint32 kLargestFontSize = 144;

QColor ReadColor(const Registry& store, const QString& key, const QString& name, qint32 fallback)
{
    return ViewerSettings::NumberToColor(
        quint32(store.readInteger(kUser, key, name).value_or(fallback)));
}

} // namespace

namespace ViewerSettings {

quint32 ColorToNumber(const QColor& color)
{
    return quint32(color.red()) | quint32(color.green()) << 8 | quint32(color.blue()) << 16;
}

QColor NumberToColor(quint32 number)
{
    return QColor(int(number & 0xFF), int(number >> 8 & 0xFF), int(number >> 16 & 0xFF));
}

ViewerDefaults Load(Registry& store, const QString& key)
{
    store.createKey(kUser, key);
    ViewerDefaults defaults;
    const QString name = store.readString(kUser, key, kFontName).value_or(QString());
    defaults.fontName = name.isEmpty() ? QStringLiteral("Arial") : name;
    defaults.fontColor = ReadColor(store, key, kFontColor, kDefaultFontColor);
    const qint32 size = store.readInteger(kUser, key, kFontSize).value_or(kDefaultFontSize);
    defaults.fontSize =
        size >= kSmallestFontSize && size <= kLargestFontSize ? size : kDefaultFontSize;
    defaults.linkColor = ReadColor(store, key, kHotSpotColor, kDefaultHotSpotColor);
    defaults.background = ReadColor(store, key, kBackground, kDefaultBackground);
    return defaults;
}

void Save(Registry& store, const QString& key, const ViewerDefaults& defaults)
{
    store.writeString(kUser, key, kFontName, defaults.fontName);
    store.writeInteger(kUser, key, kFontColor, qint32(ColorToNumber(defaults.fontColor)));
    store.writeInteger(kUser, key, kFontSize, defaults.fontSize);
    store.writeInteger(kUser, key, kHotSpotColor, qint32(ColorToNumber(defaults.linkColor)));
    store.writeInteger(kUser, key, kBackground, qint32(ColorToNumber(defaults.background)));
}

} // namespace ViewerSettings
