#include "sprites/ui/FramePresenter.h"
#include "sprites/ui/WholeScale.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

QImage Noise(QSize size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, random.generate() | 0xff000000u);
    return image;
}

// What the general scaler makes of `frame` in a box of `box` pixels.
QImage ShownByQt(const QImage &frame, QSize box, int factor)
{
    QImage expected(box, QImage::Format_RGB32);
    expected.fill(Qt::black);
    QPainter painter(&expected);
    const QSize scaled = frame.size() * factor;
    const QPoint at((box.width() - scaled.width()) / 2, (box.height() - scaled.height()) / 2);
    painter.drawImage(QRect(at, scaled), frame);
    return expected;
}

} // namespace

TEST(WholeScale, DuplicationMatchesTheNearestNeighbourScaler)
{
    const QImage frame = Noise(QSize(37, 23), 7);
    for (int factor = 1; factor <= 7; ++factor) {
        const QSize box = frame.size() * factor + QSize(5, 3);
        QImage target(box, QImage::Format_RGB32);
        target.fill(Qt::black);
        const QSize scaled = frame.size() * factor;
        const QPoint at((box.width() - scaled.width()) / 2, (box.height() - scaled.height()) / 2);
        ASSERT_TRUE(WholeScale::Draw(target, at, frame, factor));
        EXPECT_EQ(target, ShownByQt(frame, box, factor)) << "factor " << factor;
    }
    QImage small(10, 10, QImage::Format_RGB32);
    EXPECT_FALSE(WholeScale::Draw(small, QPoint(0, 0), frame, 1)) << "a frame larger than its target";
    EXPECT_FALSE(WholeScale::Draw(small, QPoint(0, 0), frame, 1, QRect(30, 20, 10, 10)));
}

// Presents frame A whole, then frame B where only two sprites moved: the
// partial present must leave exactly what a whole one would.
TEST(FramePresenter, APresentOfTheChangedTilesLeavesWhatAWholeOneWould)
{
    const QSize field(90, 60);
    const QSize box(field * 3 + QSize(10, 4));
    const QImage background = Noise(field, 1);
    const QImage ship = Noise(QSize(11, 7), 2);
    const auto frameWith = [&](QPoint a, QPoint b) {
        QImage frame = background.copy();
        QPainter(&frame).drawImage(a, ship);
        QPainter(&frame).drawImage(b, ship);
        return frame;
    };
    QImage window(box, QImage::Format_RGB32);
    window.fill(Qt::white);
    TFramePresenter presenter;
    const QRegion all(QRect(QPoint(0, 0), box));
    const QPoint a1(3, 4), b1(60, 40), a2(9, 4), b2(61, 41);

    presenter.BeginFrame(field);
    presenter.Drawn(QRect(a1, ship.size()), &ship, 0);
    presenter.Drawn(QRect(b1, ship.size()), &ship, 0);
    {
        QPainter painter(&window);
        presenter.Present(painter, frameWith(a1, b1), box, 1.0, all);
    }
    EXPECT_EQ(window, ShownByQt(frameWith(a1, b1), box, 3));

    presenter.BeginFrame(field);
    presenter.Drawn(QRect(a2, ship.size()), &ship, 0);
    presenter.Drawn(QRect(b2, ship.size()), &ship, 0);
    EXPECT_FALSE(presenter.SameAsLastFrame());
    // Pixels outside the changed tiles are left alone: mark them to be sure.
    window.setPixel(box.width() / 2, box.height() / 2, qRgb(1, 2, 3));
    {
        QPainter painter(&window);
        presenter.Present(painter, frameWith(a2, b2), box, 1.0,
                          QRegion(QRect(5, 2, field.width() * 3, field.height() * 3)));
    }
    QImage expected = ShownByQt(frameWith(a2, b2), box, 3);
    expected.setPixel(box.width() / 2, box.height() / 2, qRgb(1, 2, 3));
    EXPECT_EQ(window, expected);

    presenter.BeginFrame(field);
    presenter.Drawn(QRect(a2, ship.size()), &ship, 0);
    presenter.Drawn(QRect(b2, ship.size()), &ship, 0);
    EXPECT_TRUE(presenter.SameAsLastFrame());
    presenter.Invalidate();
    presenter.BeginFrame(field);
    EXPECT_FALSE(presenter.SameAsLastFrame()) << "a new background is never the same frame";
}
