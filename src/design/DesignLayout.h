#pragma once

#include <cstdint>

// A play field larger than this on either side is refused: the window and
// its two frame buffers grow with it.
inline constexpr std::int64_t MaxFieldSide = 4096;

// The play-field layout follows from a few picture sizes. Kept free of
// pictures so the asset tool can write the same numbers it will produce.
struct TLayoutInput
{
    std::int32_t ShipWidth = 0;       // picture 6
    std::int32_t ShipHeight = 0;
    std::int32_t CanonLeftHeight = 0; // picture 3
    std::int32_t HomeHeight = 0;      // picture 4
    std::int32_t CanonHeight = 0;     // picture 2
    std::int32_t BigShipWidth = 0;    // 0 or less: the ship picture's width
    std::int32_t BigShipHeight = 0;
    std::int32_t ShipColumns = 5;
    std::int32_t ShipRows = 3;
    std::int32_t FormationLeft = 20;
    std::int32_t ShipRangeX = 150;
};

// Computed in 64 bits, so any 32-bit input gives exact numbers; check
// FitsField() before narrowing them to the game's 32-bit fields.
struct TLayout
{
    std::int64_t BigShipWidth = 0;
    std::int64_t BigShipHeight = 0;
    std::int64_t FormationTop = 0;
    std::int64_t ShipDistX = 0;
    std::int64_t ShipDistY = 0;
    std::int64_t HomeTop = 0;
    std::int64_t CanonTop = 0;
    std::int64_t ClientWidth = 0;
    std::int64_t ClientHeight = 0;

    bool FitsField() const
    {
        return ClientWidth > 0 && ClientHeight > 0 && ClientWidth <= MaxFieldSide
               && ClientHeight <= MaxFieldSide;
    }
};

inline TLayout ComputeLayoutNumbers(const TLayoutInput &in)
{
    using W = std::int64_t;
    TLayout out;
    out.BigShipWidth = in.BigShipWidth <= 0 ? in.ShipWidth : in.BigShipWidth;
    out.BigShipHeight = in.BigShipHeight <= 0 ? in.ShipHeight : in.BigShipHeight;
    // Tall cannons-left icons push the formation down so they stay clear of it.
    out.FormationTop = in.CanonLeftHeight <= 40 ? 40 : W(in.CanonLeftHeight) + 20;
    out.ShipDistX = out.BigShipWidth + 20;
    out.ShipDistY = out.BigShipHeight + 10;
    out.HomeTop = out.ShipDistY * in.ShipRows + out.FormationTop + 50;
    out.CanonTop = out.HomeTop + in.HomeHeight + 30;
    out.ClientWidth = out.ShipDistX * in.ShipColumns + in.FormationLeft + in.ShipRangeX;
    out.ClientHeight = out.CanonTop + in.CanonHeight + 20;
    return out;
}

// The attract screen's score lines start at 90 % of the field's height and
// vanish above 10 %; the height is divided by 100 first.
inline std::int32_t ScrollLineTop(std::int32_t clientHeight, std::int32_t percent)
{
    return clientHeight / 100 * percent;
}
