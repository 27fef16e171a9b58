#include "ConfigSource.h"

#include "data/ConfigText.h"
#include "platform/CodePage.h"

#include <QStringDecoder>

namespace {

const QLatin1String SourceSuffix(".txt");
const QLatin1String EncodedSuffix(".cfs");

std::optional<QString> decodeUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    return text;
}

// 1-based number of the first line holding a character Windows-1251 lacks, or 0.
qsizetype firstUnencodableLine(const QStringList& lines)
{
    for (qsizetype index = 0; index < lines.size(); ++index) {
        if (!CodePage::canEncodeCp1251(lines.at(index))) {
            return index + 1;
        }
    }
    return 0;
}

} // namespace

std::optional<QByteArray> ConfigSource::encode(const QByteArray& utf8, QString& error)
{
    const std::optional<QString> text = decodeUtf8(utf8);
    if (!text) {
        error = QStringLiteral("the text is not UTF-8");
        return std::nullopt;
    }
    QStringList lines = text->split(QLatin1Char('\n'));
    for (qsizetype index = 0; index + 1 < lines.size(); ++index) {
        if (lines[index].endsWith(QLatin1Char('\r'))) {
            lines[index].chop(1);
        }
    }
    if (const qsizetype line = firstUnencodableLine(lines)) {
        error = QStringLiteral("line %1 holds characters Windows-1251 cannot encode").arg(line);
        return std::nullopt;
    }
    return EncodeConfig(CodePage::toCp1251(lines.join(QStringLiteral("\r\n"))));
}

QStringList ConfigSource::decode(const QByteArray& encoded, bool lowerCase)
{
    TDynamicStringArray lines;
    DecodeConfig(encoded, lines, lowerCase);
    return lines;
}

QString ConfigSource::joinLines(const QStringList& lines)
{
    return lines.join(QLatin1Char('\n'));
}

QString ConfigSource::encodedName(const QString& sourceName)
{
    if (!isSource(sourceName)) {
        return sourceName;
    }
    return sourceName.chopped(SourceSuffix.size()) + EncodedSuffix;
}

bool ConfigSource::isSource(const QString& fileName)
{
    return fileName.endsWith(SourceSuffix, Qt::CaseInsensitive) &&
           fileName.size() > SourceSuffix.size();
}
