#pragma once

#include <QByteArray>
#include <memory>
#include <vector>
#include <zlib.h>

// Inflates complete zlib streams of the packed archive that must give exactly
// the declared size. One per thread, so that reading many small members does
// not set up zlib afresh nor allocate room for the stored bytes each time.
class ArchiveInflater {
public:
    static ArchiveInflater& forThisThread()
    {
        thread_local ArchiveInflater inflater;
        return inflater;
    }

    ArchiveInflater() { ready_ = inflateInit(&stream_) == Z_OK; }
    ~ArchiveInflater()
    {
        if (ready_) {
            inflateEnd(&stream_);
        }
    }
    ArchiveInflater(const ArchiveInflater&) = delete;
    ArchiveInflater& operator=(const ArchiveInflater&) = delete;

    bool inflateExact(const char* source, qint64 sourceSize, char* target, qint64 size)
    {
        if (!ready_ || inflateReset(&stream_) != Z_OK) {
            return false;
        }
        char spare = 0;
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(source));
        stream_.avail_in = uInt(sourceSize);
        stream_.next_out = reinterpret_cast<Bytef*>(size > 0 ? target : &spare);
        stream_.avail_out = uInt(size);
        const int result = inflate(&stream_, Z_FINISH);
        return result == Z_STREAM_END && qint64(stream_.total_out) == size;
    }

    // Starts inflating a stream into target, which takes its first size
    // bytes; feedPrefix() then gives it the stored bytes piece by piece.
    bool beginPrefix(char* target, qint64 size)
    {
        if (!ready_ || inflateReset(&stream_) != Z_OK) {
            return false;
        }
        stream_.next_out = reinterpret_cast<Bytef*>(target);
        stream_.avail_out = uInt(size);
        return true;
    }
    enum class Prefix { Full, WantsMore, Damaged };
    Prefix feedPrefix(const char* source, qint64 sourceSize)
    {
        if (stream_.avail_out == 0) {
            return Prefix::Full;
        }
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(source));
        stream_.avail_in = uInt(sourceSize);
        const int result = inflate(&stream_, Z_NO_FLUSH);
        if (stream_.avail_out == 0) {
            return Prefix::Full;
        }
        return result == Z_OK || result == Z_BUF_ERROR ? Prefix::WantsMore : Prefix::Damaged;
    }

    // Room for stored bytes; large members get their own buffer, so that the
    // kept one stays small.
    char* room(qint64 size, std::unique_ptr<char[]>& large)
    {
        if (size > kKeptSize) {
            large.reset(new char[size_t(size)]);
            return large.get();
        }
        if (qint64(room_.size()) < size) {
            room_.resize(size_t(size));
        }
        return room_.data();
    }

    // Room for an unpacked member of `size` bytes; takeOutput() then hands it
    // out. The array handed out last is kept: once its reader has dropped it,
    // it serves the next member of about its size without a new allocation.
    char* output(qsizetype size)
    {
        const bool reusable = output_.isDetached() && output_.capacity() >= size &&
                              output_.capacity() <= 2 * size + kSlack;
        if (reusable) {
            output_.resize(size);
        } else {
            output_ = QByteArray(size, Qt::Uninitialized);
        }
        return output_.data();
    }
    QByteArray takeOutput()
    {
        QByteArray taken = output_;
        if (output_.size() > kKeptSize) {
            output_.clear();
        }
        return taken;
    }

private:
    static constexpr qsizetype kKeptSize = 1024 * 1024;
    static constexpr qsizetype kSlack = 64 * 1024;

    QByteArray output_;
    z_stream stream_{};
    bool ready_ = false;
    std::vector<char> room_;
};
