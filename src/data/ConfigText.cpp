#include "data/ConfigText.h"

#include "platform/CodePage.h"

namespace {

constexpr char CarriageReturn = 13;
constexpr char LineFeed = 10;

// The key added to byte i (i >= 1): L, 2L, 4L, ... modulo 256, which
// becomes 0 from the ninth byte on.
class KeySequence {
public:
    explicit KeySequence(qsizetype length) : key_(quint8(length & 0xFF)) {}
    quint8 next()
    {
        const quint8 current = key_;
        key_ = quint8(key_ << 1);
        return current;
    }

private:
    quint8 key_;
};

// Undoes the running sum: out[i] = out[i-1] + in[i] + k_i.
QByteArray runningSum(const QByteArray& buffer)
{
    QByteArray out(buffer.size(), '\0');
    if (buffer.isEmpty()) {
        return out;
    }
    KeySequence keys(buffer.size());
    out[0] = buffer[0];
    for (qsizetype i = 1; i < buffer.size(); ++i) {
        out[i] = char(quint8(out[i - 1]) + quint8(buffer[i]) + keys.next());
    }
    return out;
}

char lowered(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

class LineCollector {
public:
    LineCollector(TDynamicStringArray& lines, bool lowerCase) : lines_(lines), lower_(lowerCase) {}
    void append(char c) { current_.append(lower_ ? lowered(c) : c); }
    void endLine()
    {
        lines_.append(CodePage::fromCp1251(current_));
        current_.clear();
    }

private:
    TDynamicStringArray& lines_;
    bool lower_;
    QByteArray current_;
};

// A simple linear congruential generator for the filler bytes, so that the
// same text always encodes to the same buffer.
class FillerBytes {
public:
    explicit FillerBytes(qsizetype seed) : state_(quint32(seed) * 2654435761u + 12345u) {}
    char next()
    {
        state_ = state_ * 1103515245u + 12345u;
        return char(state_ >> 16);
    }

private:
    quint32 state_;
};

} // namespace

QByteArray DecodeConfigText(const QByteArray& buffer)
{
    const QByteArray out = runningSum(buffer);
    const qsizetype n = buffer.size() / 2;
    QByteArray text(n, '\0');
    for (qsizetype m = 0; m < n; ++m) {
        text[m] = out[2 * (n - 1 - m) + 1];
    }
    return text;
}

void DecodeConfig(const QByteArray& buffer, TDynamicStringArray& lines, bool lowerCase)
{
    if (buffer.isEmpty()) {
        return;
    }
    const QByteArray text = DecodeConfigText(buffer);
    const qsizetype n = text.size();
    LineCollector collector(lines, lowerCase);
    qsizetype j = 0; // 0-based index of the 1-based character j + 1
    while (j < n - 1) {
        if (text[j] == CarriageReturn && text[j + 1] == LineFeed) {
            collector.endLine();
            j += 2;
        } else {
            collector.append(text[j]);
            ++j;
        }
    }
    if (j == n - 1) {
        collector.append(text[j]);
    }
    collector.endLine();
}

QByteArray EncodeConfig(const QByteArray& text)
{
    const qsizetype n = text.size();
    FillerBytes filler(n);
    QByteArray out(2 * n, '\0');
    for (qsizetype i = 0; i < out.size(); i += 2) {
        out[i] = filler.next();
    }
    for (qsizetype m = 0; m < n; ++m) {
        out[2 * (n - 1 - m) + 1] = text[m];
    }
    QByteArray encoded(out.size(), '\0');
    if (out.isEmpty()) {
        return encoded;
    }
    KeySequence keys(out.size());
    encoded[0] = out[0];
    for (qsizetype i = 1; i < out.size(); ++i) {
        encoded[i] = char(quint8(out[i]) - quint8(out[i - 1]) - keys.next());
    }
    return encoded;
}
