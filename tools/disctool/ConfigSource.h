#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Configuration sources as authors write them (UTF-8 text files with LF or
// CR LF line ends) and their encoded form (.cfs: Windows-1251 text with CR LF
// line ends, encoded).
class ConfigSource {
public:
    // Encodes a UTF-8 source. Lines are joined by CR LF; a line break at the
    // end of the file stays, none is added. A leading byte-order mark is
    // dropped. Nullopt with error set on text that is not UTF-8 or holds
    // characters Windows-1251 cannot encode.
    static std::optional<QByteArray> encode(const QByteArray& utf8, QString& error);

    // Decodes an encoded buffer into its lines (lower-casing A to Z when asked).
    static QStringList decode(const QByteArray& encoded, bool lowerCase);

    // The lines as one text with LF between them; decoding a text that ended
    // with a line break yields a last empty line, so such a text ends with LF
    // again. encode(joinLines(decode(x))) gives back x for every text whose
    // lines hold no lone line feed.
    static QString joinLines(const QStringList& lines);

    // The name a source takes in the resource container: "Struct.txt" gives
    // "Struct.cfs" (any letter case of the extension); other names stay.
    static QString encodedName(const QString& sourceName);
    static bool isSource(const QString& fileName);
};
