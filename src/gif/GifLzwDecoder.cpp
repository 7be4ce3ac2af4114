#include "gif/GifLzwDecoder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr int kMaxCodes = 4096;
constexpr int kMaxCodeSize = 12;

// Each code is a string: the string of its prefix code plus one index.
struct TCodeTable
{
    std::uint16_t Prefix[kMaxCodes];
    std::uint16_t Length[kMaxCodes];
    uchar Suffix[kMaxCodes];
    uchar First[kMaxCodes];
    // Where the code's string was last written in the stream of indices.
    qsizetype Start[kMaxCodes];

    explicit TCodeTable(int literals)
    {
        for (int i = 0; i < literals; ++i) {
            Prefix[i] = 0;
            Length[i] = 1;
            Suffix[i] = uchar(i);
            First[i] = uchar(i);
        }
    }

    void Add(int code, int prefix, uchar last)
    {
        Prefix[code] = std::uint16_t(prefix);
        Length[code] = std::uint16_t(Length[prefix] + 1);
        Suffix[code] = last;
        First[code] = First[prefix];
        // The prefix was just written, and the next string, which starts
        // with `last`, follows it: together they are this string.
        Start[code] = Start[prefix];
    }

    // Writes the string of `code` at stream position `at`; `held` holds
    // the stream from position `base` on.
    void Write(int code, uchar *held, qsizetype base, qsizetype at)
    {
        uchar *out = held + (at - base);
        const int length = Length[code];
        if (length > 1 && Start[code] >= base) {
            // Its prefix is still held: one copy instead of a walk down the chain.
            std::memcpy(out, held + (Start[code] - base), std::size_t(length - 1));
            out[length - 1] = Suffix[code];
        } else {
            const int last = code;
            for (uchar *to = out + length - 1; to > out; --to) {
                *to = Suffix[code];
                code = Prefix[code];
            }
            *out = Suffix[code];
            code = last;
        }
        Start[code] = at;
    }
};

} // namespace

template <class Write>
bool TGifLzwDecoder::ReadCodes(const uchar *data, qsizetype size, Write write) const
{
    if (mMinCodeSize < 1 || mMinCodeSize > 8 || mWidth <= 0 || mRows <= 0)
        return false;
    const int clear = 1 << mMinCodeSize;
    const int end = clear + 1;
    const auto table = std::make_unique<TCodeTable>(clear);
    const qsizetype total = qsizetype(mWidth) * mRows;
    qsizetype written = 0; // stream position of the next index
    int codeSize = mMinCodeSize + 1;
    int next = clear + 2;
    int previous = -1;
    std::uint32_t bits = 0;
    int bitCount = 0;
    qsizetype at = 0;
    while (written < total) {
        while (bitCount < codeSize) {
            if (at >= size)
                return false;
            bits |= std::uint32_t(data[at++]) << bitCount;
            bitCount += 8;
        }
        const int code = int(bits & ((1u << codeSize) - 1));
        bits >>= codeSize;
        bitCount -= codeSize;
        if (code == clear) {
            codeSize = mMinCodeSize + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code == end)
            return false;
        if (code < next) {
            if (previous >= 0 && next < kMaxCodes)
                table->Add(next++, previous, table->First[code]);
        } else if (code == next && previous >= 0) {
            // The string being defined: the previous one plus its own first index.
            table->Add(next++, previous, table->First[previous]);
        } else {
            return false;
        }
        previous = code;
        // The reader widens its codes as soon as the next free code needs it.
        if (next >= (1 << codeSize) && codeSize < kMaxCodeSize)
            ++codeSize;
        written += write(*table, code, written);
    }
    return true;
}

bool TGifLzwDecoder::Decode(const uchar *data, qsizetype size, const TRowSink &row) const
{
    // The rows not yet given and as much as fits of those given before, so
    // that most strings are copies of ones written a moment ago.
    const qsizetype capacity = std::max<qsizetype>(2 * (qsizetype(mWidth) + kMaxCodes), 1 << 16);
    const auto held = std::make_unique_for_overwrite<uchar[]>(std::size_t(capacity));
    qsizetype base = 0;  // stream position of held[0]
    qsizetype given = 0; // stream position of the next row
    int rowsLeft = mRows;
    return ReadCodes(data, size, [&](TCodeTable &table, int code, qsizetype written) {
        if (capacity - (written - base) < kMaxCodes) {
            // Room for the longest string: the older half goes.
            const qsizetype keep = written - capacity / 2;
            std::memmove(held.get(), held.get() + (keep - base), std::size_t(written - keep));
            base = keep;
        }
        table.Write(code, held.get(), base, written);
        const qsizetype length = table.Length[code];
        for (; written + length - given >= mWidth && rowsLeft > 0; --rowsLeft) {
            row(held.get() + (given - base));
            given += mWidth;
        }
        return length;
    });
}

bool TGifLzwDecoder::DecodeColours(const uchar *data, qsizetype size, const QRgb (&colours)[256], QRgb *out) const
{
    const qsizetype total = qsizetype(mWidth) * mRows;
    return ReadCodes(data, size, [&](TCodeTable &table, int code, qsizetype written) {
        const int length = table.Length[code];
        // A string running past the last pixel is cut there.
        const qsizetype fits = std::min<qsizetype>(length, total - written);
        QRgb *to = out + written;
        if (length > 1 && table.Start[code] >= 0) {
            // Its prefix is already out, in colours: one copy.
            std::memcpy(to, out + table.Start[code], std::size_t(std::min<qsizetype>(length - 1, fits)) * sizeof(QRgb));
            if (fits == length)
                to[length - 1] = colours[table.Suffix[code]];
        } else {
            int link = code;
            for (qsizetype i = length - 1; i >= 0; --i, link = table.Prefix[link])
                if (i < fits)
                    to[i] = colours[table.Suffix[link]];
        }
        table.Start[code] = written;
        return qsizetype(length);
    });
}
