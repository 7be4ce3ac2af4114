#include "sprites/ui/WholeScale.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace WholeScale {

namespace {

bool IsOpaque32(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
           || format == QImage::Format_ARGB32_Premultiplied;
}

// The factor known when compiling, so the copies unroll into wide stores.
template <int Factor>
void Widen(uint32_t *out, const uint32_t *source, int width)
{
    for (int x = 0; x < width; ++x, out += Factor) {
        for (int k = 0; k < Factor; ++k)
            out[k] = source[x];
    }
}

void Widen(uint32_t *out, const uint32_t *source, int width, int factor)
{
    switch (factor) {
    case 2: return Widen<2>(out, source, width);
    case 3: return Widen<3>(out, source, width);
    case 4: return Widen<4>(out, source, width);
    case 5: return Widen<5>(out, source, width);
    case 6: return Widen<6>(out, source, width);
    default:
        for (int x = 0; x < width; ++x) {
            for (int k = 0; k < factor; ++k)
                *out++ = source[x];
        }
    }
}

// The copies of a widened row go straight to memory: the window's image is
// read next by the display server, not by us, and streaming stores skip
// reading each line into the cache before overwriting it.
void CopyRow(uchar *to, const uchar *from, std::size_t bytes)
{
#if defined(__SSE2__)
    while ((reinterpret_cast<std::uintptr_t>(to) & 15) != 0 && bytes >= 4) {
        std::memcpy(to, from, 4);
        to += 4, from += 4, bytes -= 4;
    }
    for (; bytes >= 16; to += 16, from += 16, bytes -= 16)
        _mm_stream_si128(reinterpret_cast<__m128i *>(to),
                         _mm_loadu_si128(reinterpret_cast<const __m128i *>(from)));
#endif
    std::memcpy(to, from, bytes);
}

} // namespace

bool Draw(QImage &target, QPoint origin, const QImage &frame, int factor, QRect part)
{
    if (part.isNull())
        part = frame.rect();
    if (factor < 1 || frame.format() != QImage::Format_RGB32 || !IsOpaque32(target.format())
        || part.isEmpty() || !frame.rect().contains(part))
        return false;
    const QRect area(origin + part.topLeft() * factor, part.size() * factor);
    if (!target.rect().contains(area))
        return false;
    // No detach: a painter may be open on the target, writing to these very bytes.
    auto *base = const_cast<uchar *>(target.constBits());
    const qsizetype stride = target.bytesPerLine();
    const std::size_t rowBytes = std::size_t(area.width()) * sizeof(uint32_t);
    const int width = part.width();
    for (int y = 0; y < part.height(); ++y) {
        const auto *source =
            reinterpret_cast<const uint32_t *>(frame.constScanLine(part.top() + y)) + part.left();
        uchar *first = base + (area.top() + y * factor) * stride + area.left() * 4;
        auto *out = reinterpret_cast<uint32_t *>(first);
        if (factor == 1)
            std::memcpy(out, source, rowBytes);
        else
            Widen(out, source, width, factor);
        for (int k = 1; k < factor; ++k)
            CopyRow(first + k * stride, first, rowBytes);
    }
#if defined(__SSE2__)
    _mm_sfence(); // the streamed rows are in memory before anyone reads them
#endif
    return true;
}

} // namespace WholeScale
