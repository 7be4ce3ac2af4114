#include "sprites/ui/SharpScale.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Floor division for a numerator that may be negative.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Each colour channel `weight`/256 of the way from a to b.
inline std::uint32_t Blend(std::uint32_t a, std::uint32_t b, std::uint32_t weight)
{
    const std::uint32_t keep = 256 - weight;
    const std::uint32_t rb = (((a & 0x00ff00ffu) * keep + (b & 0x00ff00ffu) * weight) >> 8) & 0x00ff00ffu;
    const std::uint32_t ag = (((a >> 8) & 0x00ff00ffu) * keep + ((b >> 8) & 0x00ff00ffu) * weight) & 0xff00ff00u;
    return rb | ag;
}

#if defined(__SSE2__)
// Four pixels at once, each channel (a * keep + b * take) >> 8 as in Blend:
// a channel times at most 256 stays below 65536, so 16 bits suffice. The
// weights fill a pixel's four channels, the lower two pixels first.
inline __m128i Blend4(__m128i a, __m128i b, __m128i keepLow, __m128i takeLow, __m128i keepHigh,
                      __m128i takeHigh)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), keepLow),
                                      _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), takeLow));
    const __m128i high = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), keepHigh),
                                       _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), takeHigh));
    return _mm_packus_epi16(_mm_srli_epi16(low, 8), _mm_srli_epi16(high, 8));
}
#endif

// Each pixel `weight`/256 of the way from `upper` to `lower`. Plain
// stores: the display server reads the rows next, from the cache.
void BlendRow(std::uint32_t *out, const std::uint32_t *upper, const std::uint32_t *lower, int width,
              std::uint32_t weight)
{
    int x = 0;
#if defined(__SSE2__)
    const __m128i keep = _mm_set1_epi16(short(256 - weight));
    const __m128i take = _mm_set1_epi16(short(weight));
    for (; x + 4 <= width; x += 4) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(upper + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(lower + x));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + x), Blend4(a, b, keep, take, keep, take));
    }
#endif
    for (; x < width; ++x)
        out[x] = Blend(upper[x], lower[x], weight);
}

bool IsOpaque32(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
           || format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

// In fixed point (1/256 of a pixel), so every build and every part of a
// frame computes the same weights. The whole factor n is how many output
// pixels each source pixel gets before the smooth step.
void TSharpScale::TAxis::Build(int in, int out)
{
    const std::int64_t n = std::max(1, out / in);
    const std::int64_t last = in * n - 1;
    WholeFactor = out == in * n ? int(n) : 0;
    First.resize(std::size_t(out));
    Second.resize(std::size_t(out));
    Weight.resize(std::size_t(out));
    for (int x = 0; x < out; ++x) {
        // The centre of output pixel x, in pixels of the enlarged frame.
        const std::int64_t at = FloorDiv((2 * std::int64_t(x) + 1) * in * n * 256 - std::int64_t(out) * 256, 2 * std::int64_t(out));
        const std::int64_t pixel = FloorDiv(at, 256);
        const int first = int(std::clamp(pixel, std::int64_t(0), last) / n);
        const int second = int(std::clamp(pixel + 1, std::int64_t(0), last) / n);
        First[std::size_t(x)] = first;
        Second[std::size_t(x)] = second;
        Weight[std::size_t(x)] = first == second ? 0 : std::uint16_t(at - pixel * 256);
    }
}

void TSharpScale::Prepare(QSize field, QSize shown)
{
    if (field == mField && shown == mShown)
        return;
    mField = field;
    mShown = shown;
    if (field.isEmpty() || shown.isEmpty())
        return;
    mX.Build(field.width(), shown.width());
    mY.Build(field.height(), shown.height());
    for (auto &row : mRows)
        row.resize(std::size_t(shown.width()));
}

void TSharpScale::ScaleRow(const QImage &frame, int row, int left, int width,
                           std::uint32_t *buffer) const
{
    const auto *source = reinterpret_cast<const std::uint32_t *>(frame.constScanLine(row));
    if (const int n = mX.WholeFactor) {
        // Plain duplication: runs of one pixel, the first perhaps cut short by `left`.
        int x = 0;
        for (int s = left / n, skip = left % n; x < width; ++s, skip = 0) {
            const int run = std::min(n - skip, width - x);
            std::fill_n(buffer + x, run, source[s]);
            x += run;
        }
        return;
    }
    const int *first = &mX.First[std::size_t(left)];
    const int *second = &mX.Second[std::size_t(left)];
    const std::uint16_t *weight = &mX.Weight[std::size_t(left)];
    int x = 0;
#if defined(__SSE2__)
    // Every pixel blended, a weight of 0 being a plain copy: no branch to mispredict.
    const auto pick = [source](const int *from) {
        return _mm_set_epi32(int(source[from[3]]), int(source[from[2]]), int(source[from[1]]),
                             int(source[from[0]]));
    };
    const __m128i full = _mm_set1_epi16(256);
    for (; x + 4 <= width; x += 4) {
        const __m128i w = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(weight + x));
        const __m128i pairs = _mm_unpacklo_epi16(w, w);
        const __m128i takeLow = _mm_unpacklo_epi32(pairs, pairs);
        const __m128i takeHigh = _mm_unpackhi_epi32(pairs, pairs);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(buffer + x),
                         Blend4(pick(first + x), pick(second + x), _mm_sub_epi16(full, takeLow), takeLow,
                                _mm_sub_epi16(full, takeHigh), takeHigh));
    }
#endif
    for (; x < width; ++x)
        buffer[x] = Blend(source[first[x]], source[second[x]], weight[x]);
}

bool TSharpScale::Draw(QImage &target, QPoint origin, const QImage &frame, const QRect &area)
{
    if (mShown.isEmpty() || frame.size() != mField || frame.format() != QImage::Format_RGB32
        || !IsOpaque32(target.format()) || area.isEmpty() || !target.rect().contains(area)
        || !QRect(origin, mShown).contains(area))
        return false;
    // No detach: a painter may be open on the target, writing to these very bytes.
    auto *base = const_cast<uchar *>(target.constBits());
    const qsizetype stride = target.bytesPerLine();
    const int left = area.left() - origin.x();
    const int width = area.width();
    const std::size_t bytes = std::size_t(width) * sizeof(std::uint32_t);
    // Which source row each buffer holds scaled; a run of output rows
    // inside one enlarged pixel copies the same buffer.
    if (mShown == mField) {
        // One to one, the window's everyday case: rows straight from the frame.
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::memcpy(base + y * stride + area.left() * 4,
                        frame.constScanLine(y - origin.y()) + left * 4, bytes);
        return true;
    }
    int held[2] = {-1, -1};
    const auto scaled = [&](int row) -> const std::uint32_t * {
        for (int k = 0; k < 2; ++k) {
            if (held[k] == row)
                return mRows[k].data();
        }
        // Replace the buffer holding the row above, which is no longer needed.
        const int k = held[0] < held[1] ? 0 : 1;
        ScaleRow(frame, row, left, width, mRows[k].data());
        held[k] = row;
        return mRows[k].data();
    };
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const std::size_t at = std::size_t(y - origin.y());
        uchar *out = base + y * stride + area.left() * 4;
        const std::uint32_t weight = mY.Weight[at];
        if (weight == 0) {
            std::memcpy(out, scaled(mY.First[at]), bytes);
            continue;
        }
        const std::uint32_t *upper = scaled(mY.First[at]);
        const std::uint32_t *lower = scaled(mY.Second[at]);
        BlendRow(reinterpret_cast<std::uint32_t *>(out), upper, lower, width, weight);
    }
    return true;
}
