#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

// Scales a frame to any size as "sharp bilinear": as if it were first
// enlarged by the largest whole factor that fits (pixel duplication), then
// smoothly scaled the rest of the way. Only the seams between enlarged
// pixels are blended, so pixel art keeps its hard edges; at a whole factor
// nothing is blended and the result is plain pixel duplication. Any part
// of the result can be drawn alone and comes out exactly as in a whole
// draw, so a frame can be brought up to date one changed rectangle at a time.
class TSharpScale
{
public:
    // For frames of `field` pixels shown as `shown` pixels; cheap when unchanged.
    void Prepare(QSize field, QSize shown);
    QSize Shown() const { return mShown; }

    // Writes the pixels of `area` (target coordinates) of the scaled frame
    // whose top left corner lands at `origin`; nothing outside `area`.
    // `frame` (RGB32, opaque) must have the prepared field size. False,
    // with nothing drawn, when the formats or sizes do not fit or `area`
    // does not lie inside both the target and the scaled frame.
    bool Draw(QImage &target, QPoint origin, const QImage &frame, const QRect &area);

private:
    // Per output pixel along one axis: the two source pixels it blends and
    // the weight of the second, 0..256 (0 inside an enlarged pixel).
    struct TAxis
    {
        std::vector<int> First;
        std::vector<int> Second;
        std::vector<std::uint16_t> Weight;
        // Output pixels per source pixel when that is a whole number (no
        // blending at all), else 0.
        int WholeFactor = 0;
        void Build(int in, int out);
    };

    // The scaled source row `row` over the columns of `area`, into `buffer`.
    void ScaleRow(const QImage &frame, int row, int left, int width, std::uint32_t *buffer) const;

    QSize mField;
    QSize mShown;
    TAxis mX;
    TAxis mY;
    // Two scaled rows, reused between frames so nothing is allocated.
    std::vector<std::uint32_t> mRows[2];
};
