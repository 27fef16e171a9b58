#pragma once

#include <QByteArray>
#include <QString>

// Text of a page file: a byte-order mark wins, then a charset declared in the
// page (<meta charset=..> or the http-equiv content type), else Windows-1251.
namespace PageCharset {

// The charset a page declares in its first kilobytes, lower-cased; "" if none.
QString Declared(const QByteArray& bytes);
QString DecodePage(const QByteArray& bytes);
// Text files and style sheets: byte-order mark, else Windows-1251.
QString DecodeText(const QByteArray& bytes);
// Bytes in a named charset; unknown names read as Windows-1251.
QString DecodeAs(const QByteArray& bytes, const QString& charset);

} // namespace PageCharset
