#include "editor/TitleMaker.h"

#include "design/TitleContrast.h"
#include "editor/PictureFit.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// Dark enough for the red score lines to read over, light plate likewise;
// the accent only ever stands above them.
const QColor kInk(20, 32, 74);
const QColor kPlate(244, 247, 255);
const QColor kAccent(255, 138, 0);
constexpr int kBannerFrames = 6;
constexpr int kRuleFrames = 3;
constexpr int kGap = 8;
// Hundredths of a second per frame, for viewers other than the game.
constexpr int kGifDelay = 20;

QImage Blank(int width, int height)
{
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QFont BannerFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setWeight(QFont::Black);
    font.setPixelSize(std::max(6, pixelSize));
    // Two colours only: soft edges would be neither light nor dark.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// A photo as a tile of the row: its colours reduced to a GIF's palette,
// each made one the score lines read over, and framed in ink.
QImage Tile(const TPicture &photo, QSize size)
{
    const QSize inner(std::max(1, size.width() - 4), std::max(1, size.height() - 4));
    QImage reduced = StillBitmap(photo)
                         .scaled(inner, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_Indexed8, TGifImage::ColourCube(), Qt::DiffuseDither);
    QVector<QRgb> colours = reduced.colorTable();
    for (QRgb &c : colours)
        c = TTitleContrast::ReadableVariant(c);
    reduced.setColorTable(colours);
    QImage tile(size, QImage::Format_ARGB32);
    tile.fill(kInk);
    QPainter painter(&tile);
    painter.drawImage(2, 2, reduced);
    return tile;
}

} // namespace

TTitleMaker::TTitleMaker(QSize field) : mField(field.expandedTo(QSize(40, 40)))
{
}

std::array<TPicture, 3> TTitleMaker::Make(const QString &text, const std::vector<TPicture> &photos) const
{
    std::array<std::vector<QImage>, 3> parts = {Banner(text), PhotoRow(photos), Rule()};
    std::array<TPicture, 3> pictures;
    const int textTop = TTitleContrast::TextTop(mField.height());
    int top = 0;
    for (std::size_t n = 0; n < parts.size(); ++n) {
        for (QImage &frame : parts[n])
            TTitleContrast::MakeReadable(frame, textTop - top);
        pictures[n] = TPicture::FromGif(TGifImage::FromImages(parts[n], kGifDelay));
        top += parts[n].front().height();
    }
    return pictures;
}

// The name on a light plate, written from left to right.
std::vector<QImage> TTitleMaker::Banner(const QString &text) const
{
    const int width = mField.width();
    const int height = std::clamp(mField.height() / 5, 24, 160);
    const int room = width - 8 - 4 * kGap;
    QFont font = BannerFont((height - 16) * 3 / 5);
    while (QFontMetrics(font).horizontalAdvance(text) > room && font.pixelSize() > 10)
        font.setPixelSize(font.pixelSize() - 1);
    const QFontMetrics metrics(font);
    const QString shown = metrics.elidedText(text, Qt::ElideRight, room);
    const int textWidth = metrics.horizontalAdvance(shown);
    const int plateWidth = std::min(width - 8, textWidth + 4 * kGap);
    const QRect plate((width - plateWidth) / 2, 4, plateWidth, height - 8);
    std::vector<QImage> frames;
    for (int k = 0; k < kBannerFrames; ++k) {
        QImage frame = Blank(width, height);
        QPainter painter(&frame);
        painter.setPen(QPen(kInk, 3));
        painter.setBrush(kPlate);
        painter.drawRect(plate.adjusted(1, 1, -2, -2));
        painter.fillRect(QRect(plate.left() + 3, plate.top() + 3, plate.width() - 6, 4), kAccent);
        painter.setFont(font);
        painter.setPen(kInk);
        const int shownWidth = textWidth * k / (kBannerFrames - 1);
        painter.setClipRect(QRect((width - textWidth) / 2, 0, shownWidth, height));
        painter.drawText(plate.adjusted(0, 4, 0, 0), Qt::AlignCenter, shown);
        frames.push_back(std::move(frame));
    }
    return frames;
}

// As many photos as the field's width holds, one more in each frame.
std::vector<QImage> TTitleMaker::PhotoRow(const std::vector<TPicture> &photos) const
{
    const int width = mField.width();
    const int height = std::clamp(mField.height() * 9 / 50, 16, 140);
    const int tileHeight = height - kGap;
    std::vector<std::pair<QRect, const TPicture *>> places;
    int used = 0;
    for (const TPicture &photo : photos) {
        if (photo.IsEmpty())
            continue;
        const int tileWidth = std::clamp(photo.Width() * tileHeight / std::max(1, photo.Height()), tileHeight / 3,
                                         std::min(2 * tileHeight, width - 2 * kGap));
        if (used + tileWidth + 2 * kGap > width)
            break;
        places.emplace_back(QRect(used, kGap / 2, tileWidth, tileHeight), &photo);
        used += tileWidth + kGap;
    }
    const int left = (width - (used - kGap)) / 2;
    std::vector<QImage> frames(1, Blank(width, height));
    for (const auto &[place, photo] : places) {
        QImage frame = frames.back();
        QPainter painter(&frame);
        painter.drawImage(place.topLeft() + QPoint(left, 0), Tile(*photo, place.size()));
        painter.end();
        frames.push_back(std::move(frame));
    }
    if (frames.size() == 1)
        frames.push_back(frames.front());
    return frames;
}

// Two thin lines that grow from the middle.
std::vector<QImage> TTitleMaker::Rule() const
{
    const int width = mField.width();
    const int full = width * 3 / 5;
    const int height = std::clamp(mField.height() / 16, 12, 4 * kGap);
    std::vector<QImage> frames;
    for (int k = 1; k <= kRuleFrames; ++k) {
        QImage frame = Blank(width, height);
        QPainter painter(&frame);
        const int length = full * k / kRuleFrames;
        const int left = (width - length) / 2;
        painter.fillRect(QRect(left, height / 2 - 4, length, 2), kInk);
        painter.fillRect(QRect(left, height / 2 + 1, length, 2), kInk);
        frames.push_back(std::move(frame));
    }
    return frames;
}
