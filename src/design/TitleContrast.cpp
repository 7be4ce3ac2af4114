#include "design/TitleContrast.h"

#include "design/GamePar.h"
#include "sprites/Picture.h"

#include <unordered_map>

namespace {

// Title pictures hold few colours over many pixels and frames.
class TReadableColours
{
public:
    bool operator()(QRgb c)
    {
        const auto found = mKnown.find(c);
        if (found != mKnown.end())
            return found->second;
        return mKnown[c] = TTitleContrast::Readable(c);
    }

private:
    std::unordered_map<QRgb, bool> mKnown;
};

} // namespace

qint64 TTitleContrast::FailingPixels(const TPicture &picture, int fromY)
{
    TReadableColours readable;
    qint64 failing = 0;
    if (picture.IsBitmap()) {
        const QImage image = picture.Bitmap().convertToFormat(QImage::Format_RGB32);
        if (image.isNull())
            return 0;
        const QRgb key = image.pixel(0, image.height() - 1);
        for (int y = std::max(0, fromY); y < image.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                failing += line[x] != key && !readable(line[x]);
        }
    } else if (const TGifImage *gif = picture.Gif()) {
        for (int f = 0; f < gif->FrameCount(); ++f) {
            const TGifFrame &frame = gif->DrawnFrame(f);
            if (frame.Image.isNull())
                continue;
            const QImage image = frame.Image.convertToFormat(QImage::Format_ARGB32);
            // Only what lies on the logical screen is drawn.
            for (int y = 0; y < image.height(); ++y) {
                const int screenY = frame.Offset.y() + y;
                if (screenY < fromY || screenY < 0 || screenY >= gif->Height())
                    continue;
                const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
                for (int x = 0; x < image.width(); ++x) {
                    const int screenX = frame.Offset.x() + x;
                    if (screenX >= 0 && screenX < gif->Width() && qAlpha(line[x]) != 0)
                        failing += !readable(line[x]);
                }
            }
        }
    }
    return failing;
}

std::vector<int> TTitleContrast::FailingPictures(const TGamePar &design)
{
    const TLayout layout = design.LayoutNumbers();
    std::vector<int> failing;
    if (!layout.FitsField())
        return failing;
    const int textTop = TextTop(int(layout.ClientHeight));
    int top = 0;
    for (int i = FirstTitle; i <= LastTitle; ++i) {
        const TPicture &picture = design.Image(i).Picture();
        if (FailingPixels(picture, textTop - top) > 0)
            failing.push_back(i);
        top += picture.Height();
    }
    return failing;
}
