#pragma once

#include "sprites/Picture.h"

#include <QSize>
#include <QString>

#include <array>
#include <vector>

// Draws a design's own three title pictures for a play field of a given
// size: its name as a bold banner, a row of its photos, and a closing
// rule. Each is a short animation that stops on its last frame, so the
// attract screen goes on to the next, and wherever the score lines rise
// every colour keeps them readable.
class TTitleMaker
{
public:
    // Ticks each frame stays.
    static constexpr int FrameDelay = 1;
    // The largest side a photo is needed at.
    static constexpr int PhotoSide = 400;

    explicit TTitleMaker(QSize field);

    // Pictures 10, 11 and 12. `photos` may be empty: the row is left out.
    std::array<TPicture, 3> Make(const QString &text, const std::vector<TPicture> &photos) const;

private:
    std::vector<QImage> Banner(const QString &text) const;
    std::vector<QImage> PhotoRow(const std::vector<TPicture> &photos) const;
    std::vector<QImage> Rule() const;

    QSize mField;
};
