#include "sprites/ui/DirtyTiles.h"

#include <algorithm>

void TDirtyTiles::Reset(QSize size)
{
    if (size != mSize) {
        mSize = size;
        mColumns = size.isEmpty() ? 0 : (size.width() + TileSide - 1) / TileSide;
        mRows = size.isEmpty() ? 0 : (size.height() + TileSide - 1) / TileSide;
        mMarked.assign(std::size_t(mColumns) * std::size_t(mRows), 0);
    }
    Clear();
}

void TDirtyTiles::Clear()
{
    if (mAny)
        std::fill(mMarked.begin(), mMarked.end(), uint8_t(0));
    mAny = false;
}

void TDirtyTiles::Mark(const QRect &rect)
{
    const QRect inside = rect.intersected(QRect(QPoint(0, 0), mSize));
    if (inside.isEmpty())
        return;
    mAny = true;
    const int left = inside.left() / TileSide;
    const int right = inside.right() / TileSide;
    for (int row = inside.top() / TileSide; row <= inside.bottom() / TileSide; ++row)
        std::fill_n(&mMarked[std::size_t(row * mColumns + left)], right - left + 1, uint8_t(1));
}
