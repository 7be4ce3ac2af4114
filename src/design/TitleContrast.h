#pragma once

#include "design/DesignLayout.h"

#include <QImage>
#include <QRgb>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

class TGamePar;
class TPicture;

// Whether the attract screen's red score lines stay readable where they
// cross a design's title pictures: every opaque pixel they pass over needs
// a contrast of 3:1 with their red. The colour rules are inline so the
// asset tool draws by the very same ones.
class TTitleContrast
{
public:
    static constexpr QRgb TextColour = 0xFFFF0000u;
    static constexpr double MinRatio = 3.0;
    static constexpr int FirstTitle = 10;
    static constexpr int LastTitle = 12;

    // Relative luminance of an sRGB colour, 0 (black) to 1 (white).
    static double Luminance(QRgb c)
    {
        auto linear = [](int v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
    }
    static double Ratio(QRgb a, QRgb b)
    {
        const double la = Luminance(a), lb = Luminance(b);
        return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
    }
    static bool Readable(QRgb c) { return Ratio(c, TextColour) >= MinRatio; }
    // The nearest colour the score lines stay readable over: a light one
    // mixed towards white, a dark one darkened.
    static QRgb ReadableVariant(QRgb c)
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
    // Every pixel at or below row `fromY` made readable, or see-through
    // when it is more than half so.
    static void MakeReadable(QImage &image, int fromY)
    {
        image = image.convertToFormat(QImage::Format_ARGB32);
        std::unordered_map<QRgb, QRgb> known; // few colours over many pixels
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
    // The score lines vanish once their top passes this line of the field,
    // so above it a title may use any colour.
    static int TextTop(int clientHeight) { return ScrollLineTop(clientHeight, 10); }

    // The title pictures (10..12) of a loaded design with a pixel the
    // score lines cannot be read over, placed as the attract screen places
    // them on the design's field.
    static std::vector<int> FailingPictures(const TGamePar &design);
    // The same on a field `clientHeight` high.
    static std::vector<int> FailingPictures(const TGamePar &design, int clientHeight);
    // Pixels of every frame as the game draws it, at or below row `fromY`
    // of the picture, that fail the contrast.
    static qint64 FailingPixels(const TPicture &picture, int fromY);
};
