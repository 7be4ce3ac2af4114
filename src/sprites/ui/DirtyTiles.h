#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

// Which parts of a field changed since it was last shown, on a grid of
// square tiles: marking a sprite costs a few byte writes, and the runs of
// marked tiles in each tile row are rectangles to copy, never overlapping.
class TDirtyTiles
{
public:
    static constexpr int TileSide = 8;

    // All clean, for a field of `size`; allocates only when the size changes.
    void Reset(QSize size);
    // Marks every tile `rect` (field pixels) touches; the part outside the field is ignored.
    void Mark(const QRect &rect);
    void Clear();
    bool Any() const { return mAny; }
    QSize Size() const { return mSize; }

    // Calls `copy(rect)` for each run of marked tiles, tile row by tile row,
    // in field pixels clipped to the field.
    template <typename Copy>
    void ForEachRun(Copy &&copy) const
    {
        for (int row = 0; row < mRows; ++row) {
            const uint8_t *marks = &mMarked[std::size_t(row * mColumns)];
            for (int column = 0; column < mColumns;) {
                if (!marks[column]) {
                    ++column;
                    continue;
                }
                const int first = column;
                while (column < mColumns && marks[column])
                    ++column;
                copy(QRect(first * TileSide, row * TileSide, (column - first) * TileSide, TileSide)
                         .intersected(QRect(QPoint(0, 0), mSize)));
            }
        }
    }

    // Calls `changed(rect)` for each marked tile, in field pixels clipped
    // to the field; the tiles it returns false for are marked no more.
    template <typename Changed>
    void Keep(Changed &&changed)
    {
        for (int row = 0; row < mRows; ++row) {
            for (int column = 0; column < mColumns; ++column) {
                uint8_t &mark = mMarked[std::size_t(row * mColumns + column)];
                if (mark && !changed(QRect(column * TileSide, row * TileSide, TileSide, TileSide)
                                         .intersected(QRect(QPoint(0, 0), mSize))))
                    mark = 0;
            }
        }
    }

private:
    QSize mSize;
    int mColumns = 0;
    int mRows = 0;
    bool mAny = false;
    std::vector<uint8_t> mMarked;
};
