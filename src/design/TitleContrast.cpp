#include "design/TitleContrast.h"

#include "design/GamePar.h"
#include "sprites/Picture.h"

#include <QPainter>

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
    QImage drawn(picture.Size(), QImage::Format_ARGB32_Premultiplied);
    if (picture.IsEmpty() || drawn.isNull())
        return 0;
    TReadableColours readable;
    qint64 failing = 0;
    for (int f = 0; f < std::max(1, picture.FrameCount()); ++f) {
        // Drawn as the game draws it, so what counts as see-through is the game's own rule.
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        picture.Draw(painter, 0, 0, f, true);
        painter.end();
        for (int y = std::max(0, fromY); y < drawn.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(drawn.constScanLine(y));
            for (int x = 0; x < drawn.width(); ++x)
                failing += qAlpha(line[x]) != 0 && !readable(qUnpremultiply(line[x]));
        }
    }
    return failing;
}

std::vector<int> TTitleContrast::FailingPictures(const TGamePar &design)
{
    const TLayout layout = design.LayoutNumbers();
    if (!layout.FitsField())
        return {};
    return FailingPictures(design, int(layout.ClientHeight));
}

std::vector<int> TTitleContrast::FailingPictures(const TGamePar &design, int clientHeight)
{
    std::vector<int> failing;
    const int textTop = TextTop(clientHeight);
    int top = 0;
    for (int i = FirstTitle; i <= LastTitle; ++i) {
        const TPicture &picture = design.Image(i).Picture();
        if (FailingPixels(picture, textTop - top) > 0)
            failing.push_back(i);
        top += picture.Height();
    }
    return failing;
}
