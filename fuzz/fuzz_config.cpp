// Decodes arbitrary bytes as configuration text and runs every value reader
// over the lines. The first byte chooses whether the rest is an encoded
// buffer (odd) or plain text (even), so that seeds can be written as text.

#include "data/ConfigText.h"
#include "data/ProcessPaths.h"
#include "data/ValueReaders.h"

#include <cstddef>
#include <cstdint>

namespace {

void readValues(const QString& line)
{
    const int length = int(line.size());
    for (int position : {0, 1, 2, length / 2, length, length + 1}) {
        ReadIntValue(line, position);
        ReadStrValue(line, position);
        ReadColorValue(line, position);
    }
    ExpandPath(line);
    JoinPath(line, line);
    KeyOfLine(line);
    ValueBetweenEquals(line);
    ValueAfterLastEquals(line);
}

void readLines(const TDynamicStringArray& lines)
{
    for (const QString& line : lines) {
        readValues(line);
    }
    for (int index = 0; index < lines.size(); ++index) {
        int at = index;
        ReadListValue(lines, at);
        if (at < index || at >= lines.size()) {
            __builtin_trap();
        }
    }
    if (!lines.isEmpty()) {
        ContainsText(lines, lines.last());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    Paths().AppDir = QStringLiteral("d:\\run\\");
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const QByteArray buffer = (data[0] & 1) ? rest : EncodeConfig(rest);
    for (bool lowerCase : {false, true}) {
        TDynamicStringArray lines;
        DecodeConfig(buffer, lines, lowerCase);
        readLines(lines);
    }
    if (DecodeConfigText(EncodeConfig(rest)) != rest) {
        __builtin_trap();
    }
    return 0;
}
