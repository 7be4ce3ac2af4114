// Cost of one TSpriteBox::Step on a game-sized field, as a ratio to one
// plain copy of the same background measured in the same run.
#include "sprites/ui/SpriteBox.h"
#include "sprites/SpriteList.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

TPicture Bitmap(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    for (int y = 0; y < height; y += 3)
        image.setPixel(0, y, qRgb(255, 0, 255));
    image.setPixel(0, height - 1, qRgb(255, 0, 255));
    return TPicture::FromImage(image);
}

TPicture AnimatedGif(int width, int height, int frames)
{
    QVector<QRgb> table{qRgb(0, 0, 0)};
    for (int i = 0; i < frames; ++i)
        table.append(qRgb(60 * i, 255 - 40 * i, 90));
    TGifImage gif(width, height, table);
    for (int i = 0; i < frames; ++i) {
        QByteArray indices(width * height, char(i + 1));
        for (int p = 0; p < indices.size(); p += 5)
            indices[p] = 0;   // see-through speckles, as in real sprites
        gif.AddFrame(0, 0, width, height, indices, {}, 0, 10, 1);
    }
    return TPicture::FromGif(std::move(gif));
}

// Nanoseconds for one copy of the background's bytes (best of several runs).
double BackgroundCopyNs(const QImage &background)
{
    QImage target = background.copy();
    const std::size_t bytes = std::size_t(background.sizeInBytes());
    double best = 1e18;
    for (int round = 0; round < 20; ++round) {
        const auto start = Clock::now();
        for (int i = 0; i < 200; ++i) {
            std::memcpy(target.bits(), background.constBits(), bytes);
            benchmark::ClobberMemory();
        }
        const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count() / 200;
        best = std::min(best, ns);
    }
    return best;
}

void BM_Step45Sprites(benchmark::State &state)
{
    TSpriteBox box;
    box.resize(670, 440);
    box.SetImage([] {
        QImage image(600, 400, QImage::Format_RGB32);
        image.fill(qRgb(20, 30, 60));
        return image;
    }());
    TSpriteList sprites;
    auto add = [&](const TPicture &picture, int left, int top, int32_t dx) {
        TSprite *sprite = sprites.AddNew();
        sprite->SetPicture(picture);
        sprite->SetLeft(left);
        sprite->SetTop(top);
        sprite->SetAnimationDelay(1);
        sprite->SetOnMove([dx](TSprite *s) {
            s->SetLeft(s->Left() + dx);
            if (s->Left() > 640 || s->Left() < 0)
                s->SetLeft(320);
        });
        box.AddSprite(sprite);
    };
    const TPicture ship = AnimatedGif(40, 30, 4);
    const TPicture bomb = AnimatedGif(6, 12, 2);
    for (int i = 0; i < 15; ++i)                         // three rows of five ships
        add(ship, 60 + (i % 5) * 60, 30 + (i / 5) * 45, 1);
    for (int i = 0; i < 3; ++i)                          // homes
        add(Bitmap(60, 40, qRgb(0, 160, 0)), 100 + i * 180, 350, 0);
    add(Bitmap(40, 20, qRgb(200, 200, 200)), 310, 410, 2);   // cannon
    for (int i = 0; i < 12; ++i)                         // bombs
        add(bomb, 40 + i * 50, 200, 0);
    for (int i = 0; i < 6; ++i)                          // rockets
        add(Bitmap(4, 14, qRgb(250, 250, 0)), 100 + i * 80, 300, 0);
    for (int i = 0; i < 8; ++i)                          // explosions and score glyphs
        add(AnimatedGif(32, 32, 6), 20 + i * 80, 250, 0);
    if (sprites.Count() != 45)
        state.SkipWithError("expected 45 sprites");

    const double copyNs = BackgroundCopyNs(box.Background());
    const auto start = Clock::now();
    for (auto _ : state)
        box.Step();
    const double stepNs = std::chrono::duration<double, std::nano>(Clock::now() - start).count()
                          / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["ns_per_step"] = stepNs;
    state.counters["background_copy_ns"] = copyNs;
    state.counters["step_to_copy_ratio"] = stepNs / copyNs;
}
BENCHMARK(BM_Step45Sprites)->Unit(benchmark::kMicrosecond);

} // namespace
