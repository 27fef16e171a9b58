#pragma once

#include <QByteArray>
#include <QString>

// The two Windows code pages the disc's files use: Windows-1251 (text files,
// configuration, archive names) and the OEM page 866 (names in old archives).
// Characters a page cannot hold become "?" when encoding.
namespace CodePage {

QString fromCp1251(const QByteArray& bytes);
QByteArray toCp1251(const QString& text);
bool canEncodeCp1251(const QString& text);

QString fromCp866(const QByteArray& bytes);
QByteArray toCp866(const QString& text);

} // namespace CodePage
