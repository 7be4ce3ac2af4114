#include "exchange/EntryPacker.h"

#include <unistd.h>

#include <array>
#include <cmath>

namespace {

constexpr qsizetype kSliceBytes = 2048;

// What short codes would make of `sample`, from how often each byte value
// occurs: its entropy, plus a little for the code tables. Much cheaper
// than trying them.
double ShortCodesRatio(const QByteArray &sample)
{
    std::array<int, 256> counts{};
    for (const char c : sample)
        ++counts[quint8(c)];
    double bits = 0;
    for (const int count : counts) {
        if (count > 0)
            bits -= count * std::log2(double(count) / double(sample.size()));
    }
    return bits / 8 / double(sample.size()) + 0.01;
}

} // namespace

TEntryPacker::TEntryPacker()
{
    // The trial only looks within its slices: a small window is enough.
    mTrialReady = deflateInit2(&mTrial, 1, Z_DEFLATED, -13, 6, Z_DEFAULT_STRATEGY) == Z_OK;
    // Short codes never look back, but a smaller window would only make
    // zlib slide it more often.
    mCodesReady = deflateInit2(&mCodes, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_HUFFMAN_ONLY) == Z_OK;
}

TEntryPacker::~TEntryPacker()
{
    if (mTrialReady)
        deflateEnd(&mTrial);
    if (mCodesReady)
        deflateEnd(&mCodes);
}

QByteArray TEntryPacker::Deflate(z_stream &stream, bool ready, const QByteArray &data)
{
    if (!ready || deflateReset(&stream) != Z_OK)
        return {};
    QByteArray out(qsizetype(deflateBound(&stream, uLong(data.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    out.resize(done ? qsizetype(stream.total_out) : 0);
    return out;
}

TPacking TEntryPacker::Choose(int fd, std::uint64_t size)
{
    // Small files cost little however they are packed.
    if (size < std::uint64_t(3 * kSliceBytes))
        return TPacking::Deflate;
    mSample.resize(3 * kSliceBytes);
    const std::uint64_t starts[] = {0, size / 2 - kSliceBytes / 2, size - kSliceBytes};
    for (int i = 0; i < 3; ++i) {
        char *slice = mSample.data() + i * kSliceBytes;
        if (::pread(fd, slice, kSliceBytes, off_t(starts[i])) != kSliceBytes)
            return TPacking::Deflate;
    }
    const double full = double(Deflate(mTrial, mTrialReady, mSample).size()) / double(mSample.size());
    if (full <= 0)
        return TPacking::Deflate;
    // Short codes never do better than a search that shortens them too.
    if (full > 0.97)
        return TPacking::Store;
    if (full < 0.25)
        return TPacking::QuickDeflate;
    return ShortCodesRatio(mSample) - full < 0.03 ? TPacking::ShortCodes : TPacking::Deflate;
}

QByteArray TEntryPacker::ShortCodes(const QByteArray &data)
{
    return Deflate(mCodes, mCodesReady, data);
}
