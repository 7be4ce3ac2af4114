#include "gif/GifLzwDecoder.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

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
    }

    // Writes the string of `code` at `out`, last index first.
    void Write(int code, uchar *out) const
    {
        uchar *at = out + Length[code] - 1;
        while (Length[code] > 1) {
            *at-- = Suffix[code];
            code = Prefix[code];
        }
        *at = Suffix[code];
    }
};

} // namespace

bool TGifLzwDecoder::Decode(const uchar *data, qsizetype size, const TRowSink &row) const
{
    if (mMinCodeSize < 1 || mMinCodeSize > 8 || mWidth <= 0 || mRows <= 0)
        return false;
    const int clear = 1 << mMinCodeSize;
    const int end = clear + 1;
    const auto table = std::make_unique<TCodeTable>(clear);
    // A row plus the longest string that may run past it.
    std::vector<uchar> pending(std::size_t(mWidth) + kMaxCodes);
    qsizetype filled = 0;
    int rowsLeft = mRows;

    int codeSize = mMinCodeSize + 1;
    int next = clear + 2;
    int previous = -1;
    std::uint32_t bits = 0;
    int bitCount = 0;
    qsizetype at = 0;
    while (rowsLeft > 0) {
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

        table->Write(code, pending.data() + filled);
        filled += table->Length[code];
        qsizetype start = 0;
        while (filled - start >= mWidth && rowsLeft > 0) {
            row(pending.data() + start);
            start += mWidth;
            --rowsLeft;
        }
        if (start > 0) {
            filled -= start;
            std::memmove(pending.data(), pending.data() + start, std::size_t(filled));
        }
    }
    return true;
}
