#pragma once

#include <QtGlobal>

#include <functional>

// Expands the LZW code stream of one GIF frame, row by row, without
// holding the whole frame's indices at any time.
class TGifLzwDecoder
{
public:
    using TRowSink = std::function<void(const uchar *indices)>;

    TGifLzwDecoder(int minCodeSize, int width, int rows) : mMinCodeSize(minCodeSize), mWidth(width), mRows(rows) {}

    // Calls `row` with `width` indices for each row in stream order. False
    // when the data is not a well-formed stream of that many pixels (codes
    // not yet defined, an early end); rows given before then stay given.
    // Data after the last pixel is ignored.
    bool Decode(const uchar *data, qsizetype size, const TRowSink &row) const;

private:
    int mMinCodeSize;
    int mWidth;
    int mRows;
};
