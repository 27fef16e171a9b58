#include "effects/Blend.h"

#include "effects/FastBitmap.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define DISCSHELL_BLEND_X86 1
#endif

// The fast routine computes the table's value directly: with w = alpha * 128 and the doubled
// difference 2d, the high half of the signed 16-bit product 2d * w is
// floor(256 * alpha * d / 65536) = floor(alpha * d / 256) = (alpha * d) >> 8 exactly, for all
// d in -255..255 and alpha in 0..255 (|2d| <= 510, w <= 32640). The sum A + T lies between A
// and B, so packing back to bytes never saturates.

namespace {

using TRowBlend = void (*)(const uchar*, const uchar*, uchar*, qsizetype, int);

void blendTail(const uchar* from, const uchar* to, uchar* into, qsizetype count, int alpha)
{
    for (qsizetype i = 0; i < count; ++i) {
        into[i] = uchar(from[i] + ((alpha * (to[i] - from[i])) >> 8));
    }
}

#ifdef DISCSHELL_BLEND_X86

__attribute__((target("sse2"))) __m128i blend8(__m128i a, __m128i b, __m128i weight)
{
    const __m128i difference = _mm_sub_epi16(b, a);
    return _mm_add_epi16(a, _mm_mulhi_epi16(_mm_add_epi16(difference, difference), weight));
}

__attribute__((target("sse2"))) void blendSse2(const uchar* from, const uchar* to, uchar* into,
                                               qsizetype count, int alpha)
{
    const __m128i weight = _mm_set1_epi16(short(alpha * 128));
    const __m128i zero = _mm_setzero_si128();
    qsizetype i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + i));
        const __m128i low = blend8(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), weight);
        const __m128i high = blend8(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), weight);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(into + i), _mm_packus_epi16(low, high));
    }
    blendTail(from + i, to + i, into + i, count - i, alpha);
}

__attribute__((target("avx2"))) __m256i blend16(__m256i a, __m256i b, __m256i weight)
{
    const __m256i difference = _mm256_sub_epi16(b, a);
    return _mm256_add_epi16(a,
                            _mm256_mulhi_epi16(_mm256_add_epi16(difference, difference), weight));
}

// Unpacking and packing both work within 128-bit lanes, so the byte order comes out unchanged.
__attribute__((target("avx2"))) void blendAvx2(const uchar* from, const uchar* to, uchar* into,
                                               qsizetype count, int alpha)
{
    const __m256i weight = _mm256_set1_epi16(short(alpha * 128));
    const __m256i zero = _mm256_setzero_si256();
    qsizetype i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(to + i));
        const __m256i low =
            blend16(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero), weight);
        const __m256i high =
            blend16(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero), weight);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(into + i), _mm256_packus_epi16(low, high));
    }
    blendSse2(from + i, to + i, into + i, count - i, alpha);
}

TRowBlend chooseRowBlend()
{
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) {
        return blendAvx2;
    }
    if (__builtin_cpu_supports("sse2")) {
        return blendSse2;
    }
    return blendTail;
}

#else

TRowBlend chooseRowBlend()
{
    return blendTail;
}

#endif

bool sameSize(const TFastBitmap& from, const TFastBitmap& to)
{
    return !from.isNull() && from.size() == to.size();
}

void prepareTarget(const TFastBitmap& from, TFastBitmap& into)
{
    if (into.size() != from.size()) {
        into.resize(from.size());
    }
}

} // namespace

TBlendTable MakeBlendTable(int alpha)
{
    TBlendTable table{};
    for (int d = -255; d <= 255; ++d) {
        table[std::size_t(d + 255)] = (alpha * d) >> 8;
    }
    return table;
}

void BlendBytes(const uchar* from, const uchar* to, uchar* into, qsizetype count, int alpha)
{
    static const TRowBlend rowBlend = chooseRowBlend();
    rowBlend(from, to, into, count, std::clamp(alpha, 0, 255));
}

bool Blend(const TFastBitmap& from, const TFastBitmap& to, int alpha, TFastBitmap& into)
{
    if (!sameSize(from, to)) {
        return false;
    }
    prepareTarget(from, into);
    for (int y = 0; y < from.height(); ++y) {
        BlendBytes(from.row(y), to.row(y), into.row(y), from.usedBytesPerRow(), alpha);
    }
    return true;
}

bool BlendReference(const TFastBitmap& from, const TFastBitmap& to, int alpha, TFastBitmap& into)
{
    if (!sameSize(from, to)) {
        return false;
    }
    prepareTarget(from, into);
    const TBlendTable table = MakeBlendTable(std::clamp(alpha, 0, 255));
    for (int y = 0; y < from.height(); ++y) {
        const uchar* a = from.row(y);
        const uchar* b = to.row(y);
        uchar* c = into.row(y);
        for (qsizetype i = 0; i < from.usedBytesPerRow(); ++i) {
            c[i] = uchar(a[i] + table[std::size_t(b[i] - a[i] + 255)]);
        }
    }
    return true;
}
