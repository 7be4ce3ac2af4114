#include "sprites/WholeScale.h"

#include <cstdint>
#include <cstring>

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
            std::memcpy(first + k * stride, first, rowBytes);
    }
    return true;
}

} // namespace WholeScale
