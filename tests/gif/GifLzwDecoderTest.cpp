#include "gif/GifLzwDecoder.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Packs (code, bits) pairs the way GIF stores them, lowest bit first.
QByteArray Pack(const std::vector<std::pair<int, int>> &codes)
{
    QByteArray out;
    unsigned bits = 0;
    int count = 0;
    for (const auto &[code, width] : codes) {
        bits |= unsigned(code) << count;
        for (count += width; count >= 8; count -= 8, bits >>= 8)
            out.append(char(bits & 0xFF));
    }
    if (count > 0)
        out.append(char(bits & 0xFF));
    return out;
}

// The rows a two-bit stream (clear 4, end 5) gives, or "refused".
std::vector<QByteArray> Rows(const std::vector<std::pair<int, int>> &codes, int width, int rows, bool *refused = nullptr)
{
    std::vector<QByteArray> out;
    const QByteArray data = Pack(codes);
    const bool ok = TGifLzwDecoder(2, width, rows).Decode(
        reinterpret_cast<const uchar *>(data.constData()), data.size(),
        [&](const uchar *row) { out.emplace_back(reinterpret_cast<const char *>(row), width); });
    if (refused)
        *refused = !ok;
    return out;
}

} // namespace

TEST(GifLzwDecoder, ExpandsStringsAcrossRowsAndWidensCodesOnTime)
{
    // Code 6 is the string being defined (the previous one plus its own first index).
    EXPECT_EQ(Rows({{4, 3}, {0, 3}, {6, 3}}, 1, 3), std::vector<QByteArray>(3, QByteArray(1, '\0')));
    // Codes widen to four bits once the next free code is 8.
    const std::vector<QByteArray> wide = Rows({{4, 3}, {1, 3}, {2, 3}, {3, 3}, {1, 4}, {2, 4}}, 5, 1);
    EXPECT_EQ(wide, (std::vector<QByteArray>{QByteArray("\1\2\3\1\2", 5)}));
    // A clear code in the middle starts the table and the width again.
    EXPECT_EQ(Rows({{4, 3}, {1, 3}, {4, 3}, {2, 3}, {6, 3}}, 2, 2),
              (std::vector<QByteArray>{QByteArray("\1\2", 2), QByteArray("\2\2", 2)}));
}

TEST(GifLzwDecoder, RefusesEarlyEndsAndCodesNotYetDefined)
{
    bool refused = false;
    Rows({{4, 3}, {1, 3}, {5, 3}}, 3, 1, &refused);
    EXPECT_TRUE(refused) << "end code before the last pixel";
    Rows({{4, 3}, {1, 3}, {7, 3}}, 3, 1, &refused);
    EXPECT_TRUE(refused) << "code beyond the next free one";
    Rows({{4, 3}, {1, 3}}, 3, 1, &refused);
    EXPECT_TRUE(refused) << "data runs out";
    Rows({{4, 3}, {1, 3}, {1, 3}, {1, 3}, {5, 3}, {7, 3}}, 3, 1, &refused);
    EXPECT_FALSE(refused) << "whatever follows the last pixel is ignored";
}
