#include "TitlePictures.h"

#include "design/TitleContrast.h"

#include <algorithm>
#include <map>

QRgb ReadableVariant(QRgb c)
{
    if (TTitleContrast::Readable(c))
        return c;
    // The midpoint of the two allowed bands on the luminance scale.
    const bool light = TTitleContrast::Luminance(c) > 0.167;
    for (int step = 1; step <= 20; ++step) {
        const double t = step / 20.0;
        const QRgb v = light ? qRgb(qRed(c) + int((255 - qRed(c)) * t), qGreen(c) + int((255 - qGreen(c)) * t),
                                    qBlue(c) + int((255 - qBlue(c)) * t))
                             : qRgb(int(qRed(c) * (1 - t)), int(qGreen(c) * (1 - t)), int(qBlue(c) * (1 - t)));
        if (TTitleContrast::Readable(v))
            return v;
    }
    return light ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
}

void WriteTitles(const QString &dir, int clientHeight, std::array<TGifFrames, 3> titles)
{
    const int textTop = TTitleContrast::TextTop(clientHeight);
    std::map<QRgb, QRgb> readable;
    int top = 0;
    for (int n = 0; n < 3; ++n) {
        const int fromY = std::max(0, textTop - top);
        for (QImage &frame : titles[n].Frames) {
            frame = frame.convertToFormat(QImage::Format_ARGB32);
            for (int y = fromY; y < frame.height(); ++y) {
                auto *line = reinterpret_cast<QRgb *>(frame.scanLine(y));
                for (int x = 0; x < frame.width(); ++x) {
                    if (qAlpha(line[x]) == 0)
                        continue;
                    auto found = readable.find(line[x]);
                    if (found == readable.end())
                        found = readable.emplace(line[x], ReadableVariant(line[x]) | 0xFF000000u).first;
                    line[x] = found->second;
                }
            }
        }
        top += titles[n].Frames.front().height();
        WriteGif(dir + QStringLiteral("Image%1.gif").arg(10 + n), titles[n]);
    }
}
