#pragma once

#include <QRgb>
#include <QtGlobal>

#include <functional>

// Expands the LZW code stream of one GIF frame, either row by row as
// indices (never holding the whole frame's indices) or straight into the
// frame's colours.
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

    // The same stream written as `colours[index]` into `out`, width times
    // rows pixels in stream order (a frame that is not interlaced): each
    // string is copied from where it was written before, so most pixels
    // never go through the colour table. False as Decode.
    bool DecodeColours(const uchar *data, qsizetype size, const QRgb (&colours)[256], QRgb *out) const;

private:
    // Reads codes until `rows` rows are out, handing each code's string to
    // `write`, which returns how many pixels it put out.
    template <class Write>
    bool ReadCodes(const uchar *data, qsizetype size, Write write) const;

    int mMinCodeSize;
    int mWidth;
    int mRows;
};
