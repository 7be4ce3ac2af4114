// GIF reader, and the writer on whatever the reader accepts: a GIF that
// reads must encode to bytes that read back with the same frames.
#include "FuzzSupport.h"

#include "gif/GifImage.h"

#include <cstdio>
#include <cstdlib>

namespace {

// A copy built frame by frame, so Encode writes fresh bytes instead of
// handing back the ones it read.
TGifImage Rebuild(const TGifImage &gif)
{
    TGifImage copy(gif.Width(), gif.Height(), gif.GlobalPalette());
    copy.SetLoopCount(gif.LoopCount());
    for (int i = 0; i < gif.FrameCount(); ++i) {
        const TGifFrame &f = gif.Frame(i);
        copy.AddFrame(f.Offset.x(), f.Offset.y(), f.Size.width(), f.Size.height(), f.Indices,
                      f.Palette, f.TransparentIndex, f.Delay, f.Disposal);
    }
    return copy;
}

[[noreturn]] void Mismatch(const char *what)
{
    std::fprintf(stderr, "GIF round trip: %s\n", what);
    std::abort();
}

void CheckRoundTrip(const TGifImage &gif)
{
    TGifImage copy;
    try {
        copy = Rebuild(gif);
    } catch (const EGifError &) {
        return; // refused by AddFrame with a clear error: nothing written
    }
    TGifImage back;
    try {
        back = TGifImage::FromBytes(copy.Encode(), QStringLiteral("rewritten.gif"));
    } catch (const EGifError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        Mismatch("the written GIF cannot be read back");
    }
    if (back.FrameCount() != gif.FrameCount() || back.Size() != gif.Size())
        Mismatch("frame count or screen size changed");
    for (int i = 0; i < gif.FrameCount(); ++i) {
        if (back.Frame(i).Indices != gif.Frame(i).Indices)
            Mismatch("pixel indices changed");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzInitQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        const TGifImage gif = TGifImage::FromBytes(FuzzBytes(data, size), QStringLiteral("fuzz.gif"));
        CheckRoundTrip(gif);
    } catch (const EGifError &) {
    }
    return 0;
}
