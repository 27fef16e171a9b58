#include "search/index/DecompressUtils.h"

#include "platform/CodePage.h"

#include <QBuffer>
#include <cstring>

namespace {

constexpr char CarriageReturn = '\r';
constexpr char LineFeed = '\n';
constexpr qint64 BlockSize = 512;

// Appends bytes to line leaving out every line feed.
void appendWithoutLineFeeds(QByteArray& line, const char* bytes, qint64 size)
{
    const char* end = bytes + size;
    while (bytes < end) {
        const auto* feed = static_cast<const char*>(std::memchr(bytes, LineFeed, end - bytes));
        const char* stop = feed ? feed : end;
        line.append(bytes, stop - bytes);
        bytes = feed ? feed + 1 : end;
    }
}

// An open in-memory stream: its bytes are scanned where they lie.
bool readBufferLine(QBuffer& buffer, QByteArray& line)
{
    const QByteArray& data = buffer.data();
    const qint64 start = buffer.pos();
    if (start < 0 || start >= data.size()) {
        return false;
    }
    const char* from = data.constData() + start;
    const qint64 left = data.size() - start;
    const auto* cr = static_cast<const char*>(std::memchr(from, CarriageReturn, left));
    const qint64 taken = cr ? cr - from : left;
    appendWithoutLineFeeds(line, from, taken);
    buffer.seek(start + taken + (cr ? 1 : 0));
    return cr != nullptr;
}

// Any other device: look ahead a block at a time, consume up to the return.
bool readDeviceLine(QIODevice& stream, QByteArray& line)
{
    char block[BlockSize];
    for (;;) {
        const qint64 got = stream.peek(block, BlockSize);
        if (got <= 0) {
            return false;
        }
        const auto* cr = static_cast<const char*>(std::memchr(block, CarriageReturn, got));
        const qint64 taken = cr ? cr - block : got;
        appendWithoutLineFeeds(line, block, taken);
        const qint64 consumed = taken + (cr ? 1 : 0);
        if (stream.skip(consumed) != consumed) {
            return false;
        }
        if (cr) {
            return true;
        }
    }
}

} // namespace

bool ReadStreamLine(QIODevice& stream, QByteArray& line)
{
    line.clear();
    if (!stream.isReadable()) {
        return false;
    }
    auto* buffer = qobject_cast<QBuffer*>(&stream);
    if (buffer && !stream.isTextModeEnabled() && !stream.isTransactionStarted()) {
        return readBufferLine(*buffer, line);
    }
    return readDeviceLine(stream, line);
}

bool ReadStreamLine(QIODevice& stream, QString& line)
{
    QByteArray bytes;
    const bool more = ReadStreamLine(stream, bytes);
    line = CodePage::fromCp1251(bytes);
    return more;
}
