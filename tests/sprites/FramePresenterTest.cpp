#include "sprites/ui/FramePresenter.h"
#include "sprites/ui/SharpScale.h"

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

QRegion Changed(TFramePresenter &presenter, QSize box, TScaling scaling)
{
    QRegion changed;
    presenter.TakeChanged(box, 1.0, scaling, [&](const QRect &part) { changed += part; });
    return changed;
}

QImage Sharp(const QImage &frame, QSize shown)
{
    TSharpScale scale;
    scale.Prepare(frame.size(), shown);
    QImage out(shown, QImage::Format_RGB32);
    out.fill(Qt::green);
    EXPECT_TRUE(scale.Draw(out, QPoint(0, 0), frame, out.rect()));
    return out;
}

} // namespace

TEST(SharpScale, AtWholeFactorsTheFillPathIsPixelDuplication)
{
    const QImage frame = Noise(QSize(37, 23), 7);
    for (int factor = 1; factor <= 7; ++factor) {
        const QSize box = frame.size() * factor + QSize(5, 3);
        // A box that fits a whole factor exactly is shown at it, nothing blended.
        const TFieldScale fill(frame.size(), frame.size() * factor, 1.0, TScaling::Fill);
        EXPECT_TRUE(fill.Whole());
        EXPECT_EQ(fill.Factor(), factor);
        QImage target(box, QImage::Format_RGB32);
        target.fill(Qt::black);
        const QSize scaled = frame.size() * factor;
        const QPoint at((box.width() - scaled.width()) / 2, (box.height() - scaled.height()) / 2);
        TSharpScale scale;
        scale.Prepare(frame.size(), scaled);
        ASSERT_TRUE(scale.Draw(target, at, frame, QRect(at, scaled)));
        EXPECT_EQ(target, ShownByQt(frame, box, factor)) << "factor " << factor;
    }
    TSharpScale scale;
    scale.Prepare(frame.size(), frame.size());
    QImage small(10, 10, QImage::Format_RGB32);
    EXPECT_FALSE(scale.Draw(small, QPoint(0, 0), frame, QRect(0, 0, 37, 23))) << "beyond the target";
    EXPECT_FALSE(scale.Draw(small, QPoint(2, 0), frame, QRect(0, 0, 5, 5))) << "beyond the frame";
}

TEST(SharpScale, BetweenWholeFactorsOnlyTheSeamsAreBlendedAndAnyPartDrawsAlike)
{
    // Black and white columns at 4.6x: every pixel is one of the two except
    // at most two at each seam between them, where a plain smooth scale
    // would blend nearly all.
    QImage stripes(9, 4, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x)
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QImage wide = Sharp(stripes, QSize(41, 18));
    int blended = 0;
    for (int x = 0; x < wide.width(); ++x) {
        const QRgb p = wide.pixel(x, 5);
        blended += p != qRgb(255, 255, 255) && p != qRgb(0, 0, 0);
    }
    EXPECT_GT(blended, 0);
    EXPECT_LE(blended, 2 * (stripes.width() - 1));

    // Parts drawn one by one over rubbish leave exactly the whole picture.
    const QImage frame = Noise(QSize(31, 17), 3);
    const QSize shown(80, 44);
    const QImage whole = Sharp(frame, shown);
    TSharpScale scale;
    scale.Prepare(frame.size(), shown);
    QImage parts(shown, QImage::Format_RGB32);
    parts.fill(Qt::red);
    for (const QRect &part : {QRect(0, 0, 80, 7), QRect(0, 7, 33, 30), QRect(33, 7, 47, 30), QRect(0, 37, 80, 7)})
        ASSERT_TRUE(scale.Draw(parts, QPoint(0, 0), frame, part));
    EXPECT_EQ(parts, whole);
}

// Presents frame A whole, then frame B where only two sprites moved: the
// present of the changed region must leave exactly what a whole one would,
// at whole factors and between them.
TEST(FramePresenter, RepaintingTheChangedRegionLeavesWhatAWholePresentWould)
{
    const QSize field(90, 60);
    const QImage background = Noise(field, 1);
    const QImage ship = Noise(QSize(11, 7), 2);
    const auto frameWith = [&](QPoint a, QPoint b) {
        QImage frame = background.copy();
        QPainter(&frame).drawImage(a, ship);
        QPainter(&frame).drawImage(b, ship);
        return frame;
    };
    const QPoint a1(3, 4), b1(60, 40), a2(9, 4), b2(61, 41);
    const QRect home(40, 20, 12, 9); // drawn alike in every frame
    const auto drawn = [&](TFramePresenter &presenter, QPoint a, QPoint b) {
        presenter.BeginFrame(field);
        presenter.Drawn(QRect(a, ship.size()), &ship, 0);
        presenter.Drawn(home, &background, 0);
        presenter.Drawn(QRect(b, ship.size()), &ship, 0);
    };
    for (const TScaling scaling : {TScaling::WholeOnly, TScaling::Fill}) {
        const QSize box(field * 3 + QSize(10, 14));
        const QRegion all(QRect(QPoint(0, 0), box));
        const auto present = [&](TFramePresenter &presenter, QImage &window, const QImage &frame,
                                 const QRegion &dirty) {
            QPainter painter(&window);
            presenter.Present(painter, frame, box, 1.0, scaling, dirty);
        };
        QImage window(box, QImage::Format_RGB32);
        window.fill(Qt::white);
        TFramePresenter presenter;
        drawn(presenter, a1, b1);
        EXPECT_EQ(Changed(presenter, box, scaling).boundingRect(),
                  TFieldScale(field, box, 1.0, scaling).TargetRect().toAlignedRect())
            << "the first frame is new all over";
        present(presenter, window, frameWith(a1, b1), all);

        drawn(presenter, a2, b2);
        EXPECT_FALSE(presenter.SameAsLastFrame());
        const QRegion changed = Changed(presenter, box, scaling);
        EXPECT_FALSE(changed.intersects(TFieldScale(field, box, 1.0, scaling).TargetRectOf(home)))
            << "a sprite that stayed put is not repainted";
        qint64 area = 0;
        for (const QRect &r : changed)
            area += qint64(r.width()) * r.height();
        EXPECT_LT(area, qint64(box.width()) * box.height() / 5) << "only around the two ships";
        present(presenter, window, frameWith(a2, b2), changed);

        QImage expected(box, QImage::Format_RGB32);
        TFramePresenter fresh;
        present(fresh, expected, frameWith(a2, b2), all);
        EXPECT_EQ(window, expected) << (scaling == TScaling::Fill ? "fill" : "whole");
        if (scaling == TScaling::WholeOnly) {
            EXPECT_EQ(expected, ShownByQt(frameWith(a2, b2), box, 3));
        }

        drawn(presenter, a2, b2);
        EXPECT_TRUE(presenter.SameAsLastFrame());
        presenter.Invalidate();
        presenter.BeginFrame(field);
        EXPECT_FALSE(presenter.SameAsLastFrame()) << "a new background is never the same frame";
    }
}

TEST(FramePresenter, SpritesThatStayButSwapTheirStackingAreRepainted)
{
    const QSize field(64, 48);
    const QRect under(20, 16, 10, 10), over = under.translated(3, 3);
    const int a = 0, b = 0; // two pictures
    TFramePresenter presenter;
    for (int frame = 0; frame < 3; ++frame) {
        const bool swapped = frame == 2;
        presenter.BeginFrame(field);
        presenter.Drawn(swapped ? over : under, swapped ? &b : &a, 0);
        presenter.Drawn(swapped ? under : over, swapped ? &a : &b, 0);
        const QRegion changed = Changed(presenter, field, TScaling::Fill);
        EXPECT_EQ(presenter.SameAsLastFrame(), frame == 1);
        EXPECT_EQ(changed.contains(under.intersected(over)), frame != 1) << frame;
    }
}

TEST(FramePresenter, TilesWhosePixelsCameOutAsBeforeAreNotRepainted)
{
    const QSize field(64, 48);
    QImage frame = Noise(field, 3);
    const QRect from(4, 4, 10, 10), to(40, 24, 10, 10);
    const int see = 0; // a picture of see-through pixels only, where it was
    TFramePresenter presenter;
    presenter.BeginFrame(field);
    presenter.Drawn(from, &see, 0);
    presenter.KeepChangedTiles(frame);
    EXPECT_FALSE(Changed(presenter, field, TScaling::Fill).isEmpty());

    presenter.BeginFrame(field);
    presenter.Drawn(to, &see, 0);
    frame.setPixel(to.center(), 0xff123456u); // one pixel where it went shows
    presenter.KeepChangedTiles(frame);
    const QRegion changed = Changed(presenter, field, TScaling::Fill);
    EXPECT_TRUE(changed.contains(to.center()));
    EXPECT_EQ(changed.boundingRect().size(), QSize(TDirtyTiles::TileSide, TDirtyTiles::TileSide));
}
