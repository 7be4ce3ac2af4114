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

QRgb TTitleContrast::ReadableVariant(QRgb c)
{
    if (Readable(c))
        return c;
    // Between the two allowed bands of luminance: which one is nearer.
    const bool light = Luminance(c) > 0.167;
    for (int step = 1; step < 20; ++step) {
        const double keep = 1.0 - step / 20.0;
        auto towards = [&](int v) { return light ? 255 - int((255 - v) * keep) : int(v * keep); };
        const QRgb v = qRgba(towards(qRed(c)), towards(qGreen(c)), towards(qBlue(c)), qAlpha(c));
        if (Readable(v))
            return v;
    }
    return light ? qRgba(255, 255, 255, qAlpha(c)) : qRgba(0, 0, 0, qAlpha(c));
}

void TTitleContrast::MakeReadable(QImage &image, int fromY)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    std::unordered_map<QRgb, QRgb> known;
    for (int y = std::max(0, fromY); y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            // As a GIF keeps it: faint pixels see-through, the rest opaque.
            if (qAlpha(line[x]) < 128) {
                line[x] = 0;
                continue;
            }
            auto found = known.find(line[x]);
            if (found == known.end())
                found = known.emplace(line[x], ReadableVariant(line[x] | 0xFF000000u)).first;
            line[x] = found->second;
        }
    }
}

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
