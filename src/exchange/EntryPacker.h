#pragma once

#include <QByteArray>

#include <zlib.h>

#include <cstdint>

// How one file goes into an archive. A full deflate search for repeats
// costs the most on data that barely has any, so a quick trial on samples
// of the file decides: data compressed already (GIF or JPEG data, noise)
// is stored; data whose repeats gain little over shorter byte codes (a
// photo's grain) gets the codes alone, a third of the work; very redundant
// data (a bitmap of flat colours) is deflated at a middle level, where a
// short search already finds nearly all there is; the rest is deflated at
// the level asked for.
enum class TPacking { Store, ShortCodes, QuickDeflate, Deflate };

// Chooses and does the packing of the files of one archive; its zlib
// streams are set up once and serve every file.
class TEntryPacker
{
public:
    TEntryPacker();
    ~TEntryPacker();
    TEntryPacker(const TEntryPacker &) = delete;
    TEntryPacker &operator=(const TEntryPacker &) = delete;

    // Tries slices of the open file `fd` (start, middle, end), read
    // without moving its position.
    TPacking Choose(int fd, std::uint64_t size);
    // A raw deflate stream of `data` that only shortens byte codes; empty
    // when zlib fails.
    QByteArray ShortCodes(const QByteArray &data);

private:
    // Raw deflate through `stream`, or an empty array when zlib fails.
    static QByteArray Deflate(z_stream &stream, bool ready, const QByteArray &data);

    z_stream mTrial{};
    z_stream mCodes{};
    bool mTrialReady = false;
    bool mCodesReady = false;
    QByteArray mSample;
};
