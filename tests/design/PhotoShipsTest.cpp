#include "DesignFixture.h"

#include "design/GamePar.h"

#include <QCryptographicHash>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A pattern in which the bottom-left colour comes back here and there, so
// that keying it out shows.
QImage Pattern(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x * y + seed) % 7 == 0 ? qRgb(9, 9, 9)
                                                          : qRgb((x * 5 + seed) & 0xFF, (y * 3) & 0xFF, (x ^ y) & 0xFF));
    image.setPixel(0, height - 1, qRgb(9, 9, 9));
    return image;
}

// One colour, but for the see-through corner.
QImage Plain(QRgb colour)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(0, 29, qRgb(255, 255, 255));
    return image;
}

QRgb Shown(const TSprite &ship)
{
    QImage frame(60, 40, QImage::Format_RGB32);
    frame.fill(Qt::black);
    QPainter painter(&frame);
    ship.DrawAt(painter, 0, 0);
    return frame.pixel(5, 5);
}

class PhotoShips : public ::testing::Test
{
protected:
    void SetUp() override { mRoot.MakeDefault(); }

    // A design whose one photo every ship shows (no random draw).
    TGamePar &Design(const QString &name, const QImage &photo)
    {
        TDesignRoot::WriteText(mRoot.Dir(name) + QStringLiteral("!design.ini"), "PhotoCount=1\r\n");
        photo.save(mRoot.Dir(name) + QStringLiteral("Photo_1.bmp"), "BMP");
        mDesigns.push_back(std::make_unique<TGamePar>(mRoot.Root()));
        mDesigns.back()->Load(name);
        mDesigns.back()->ComputeLayout();
        return *mDesigns.back();
    }

    TDesignRoot mRoot;
    std::vector<std::unique_ptr<TGamePar>> mDesigns;
};

} // namespace

TEST_F(PhotoShips, ShipsDrawTheirPhotosPixelForPixel)
{
    // True colour, a palette and two colours take different ways through
    // the reader; the first photo is larger than the field.
    QImage mono = Pattern(64, 48, 3).convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    TGamePar *designs[] = {&Design(QStringLiteral("Large"), Pattern(500, 400, 1)),
                           &Design(QStringLiteral("Palette"), Pattern(120, 90, 2).convertToFormat(
                                                                  QImage::Format_Indexed8, Qt::ThresholdDither)),
                           &Design(QStringLiteral("Mono"), mono)};
    const QSize field(designs[0]->ClientWidth(), designs[0]->ClientHeight());
    ASSERT_LT(field.width(), 500);
    QImage frame(field, QImage::Format_RGB32);
    frame.fill(qRgb(10, 20, 30));
    QPainter painter(&frame);
    std::vector<std::unique_ptr<TSprite>> ships;
    for (int i = 0; i < 15; ++i) {
        ships.push_back(std::make_unique<TSprite>());
        designs[i % 3]->AssignImage(*ships.back(), -1);
        ships.back()->SetLeft(20 + (i % 5) * (field.width() / 5));
        ships.back()->SetTop(40 + (i / 5) * (field.height() / 4));
        ships.back()->DrawOn(painter);
    }
    // Drawn again from what the first draw kept.
    for (const auto &ship : ships)
        ship->DrawOn(painter);
    painter.end();
    EXPECT_EQ(ships[0]->Width(), 500);
    const QByteArray bytes(reinterpret_cast<const char *>(frame.constBits()), frame.sizeInBytes());
    // Pinned from the frame the game drew before photos were read lazily.
    EXPECT_EQ(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toStdString(),
              "172bc056051bc22065fc2219689d1496");
}

TEST_F(PhotoShips, APhotoIsReadWhenFirstShownAndLetGoWhenNoShipShowsIt)
{
    TGamePar &design = Design(QStringLiteral("Lazy"), Plain(qRgb(200, 0, 0)));
    const QString file = mRoot.Dir(QStringLiteral("Lazy")) + QStringLiteral("Photo_1.bmp");
    TSprite first, second, third;
    design.AssignImage(first, -1);
    Plain(qRgb(0, 200, 0)).save(file, "BMP");
    EXPECT_EQ(Shown(first), qRgb(0, 200, 0));
    // Shared while a ship shows it.
    Plain(qRgb(0, 0, 200)).save(file, "BMP");
    design.AssignImage(second, -1);
    EXPECT_EQ(Shown(second), qRgb(0, 200, 0));
    first.SetPicture({});
    second.SetPicture({});
    design.AssignImage(third, -1);
    EXPECT_EQ(Shown(third), qRgb(0, 0, 200));
    // A file that changed its size since the load is not drawn.
    TSprite fourth;
    third.SetPicture({});
    design.AssignImage(fourth, -1);
    QImage(50, 30, QImage::Format_RGB32).save(file, "BMP");
    EXPECT_EQ(Shown(fourth), qRgb(0, 0, 0));
    EXPECT_EQ(fourth.Width(), 40);
}
