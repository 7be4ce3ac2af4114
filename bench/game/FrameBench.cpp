// One frame of a running game shown fullscreen at 1920 x 1080: the tick that
// draws the field (TSpriteBox::Step) and presenting it scaled into a target
// of the screen's size, as a ratio to one copy of a 1920 x 1080 image
// measured in the same run.
#include "play/GameRound.h"
#include "game/MainForm.h"
#include "play/GameCycle.h"
#include "session/GameSession.h"
#include "sprites/ui/SpriteBox.h"

#include <QImage>
#include <QLayout>
#include <QMenuBar>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;
const QSize kScreen(1920, 1080);

// Nanoseconds for one copy of a screen-sized image's bytes (best of several runs).
double ScreenCopyNs()
{
    QImage source(kScreen, QImage::Format_RGB32);
    source.fill(qRgb(20, 30, 60));
    QImage target(kScreen, QImage::Format_RGB32);
    const std::size_t bytes = std::size_t(source.sizeInBytes());
    double best = 1e18;
    for (int round = 0; round < 20; ++round) {
        const auto start = Clock::now();
        for (int i = 0; i < 50; ++i) {
            std::memcpy(target.bits(), source.constBits(), bytes);
            benchmark::ClobberMemory();
        }
        const auto elapsed = std::chrono::duration<double, std::nano>(Clock::now() - start);
        best = std::min(best, elapsed.count() / 50);
    }
    return best;
}

// A demo game on the shipped Default design, its field box screen-sized.
struct TRunningGame
{
    TMainForm Form{
        TMainFormOptions{QString(), true, nullptr, QStringLiteral(SNAPSTORM_BIN_DIR "/design")}};

    TRunningGame()
    {
        Form.FormShow();
        Form.Demo1Click();
        // The client area as a fullscreen window has it; its boxes follow.
        Form.resize(kScreen + QSize(0, Form.menuBar()->sizeHint().height()));
        Form.layout()->activate();
        PlayBox().setGeometry(QRect(QPoint(0, 0), Form.centralWidget()->size()));
    }

    TSpriteBox &PlayBox() { return *Form.findChild<TSpriteBox *>(QStringLiteral("PlayBox")); }

    void Tick()
    {
        // A demo that ended starts again, so every tick draws a game.
        if (Form.Session().Cycle().GameState() != gsDemo)
            Form.Demo1Click();
        Form.Session().Tick();
    }
};

void Report(benchmark::State &state, Clock::time_point start, double copyNs)
{
    const double frameNs = std::chrono::duration<double, std::nano>(Clock::now() - start).count()
                           / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["frame_ms"] = frameNs / 1e6;
    state.counters["screen_copy_ms"] = copyNs / 1e6;
    state.counters["frame_to_copy_ratio"] = frameNs / copyNs;
}

// The tick alone: game logic plus drawing the field-sized frame.
void BM_TickAtFieldSize(benchmark::State &state)
{
    TRunningGame game;
    const double copyNs = ScreenCopyNs();
    const auto start = Clock::now();
    for (auto _ : state)
        game.Tick();
    Report(state, start, copyNs);
}
BENCHMARK(BM_TickAtFieldSize)->Unit(benchmark::kMillisecond);

// The tick and its frame presented scaled, letterboxed, into a 1080p target.
void BM_TickAndPresentAt1080p(benchmark::State &state)
{
    TRunningGame game;
    QImage screen(kScreen, QImage::Format_RGB32);
    const double copyNs = ScreenCopyNs();
    const auto start = Clock::now();
    for (auto _ : state) {
        game.Tick();
        game.PlayBox().render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
    }
    Report(state, start, copyNs);
    // The field was shown scaled with black bands, not drawn 1:1 in a corner.
    if (screen.pixel(0, 0) != qRgb(0, 0, 0) || screen.pixel(1919, 1079) != qRgb(0, 0, 0)
        || screen.copy(QRect(QPoint(210, 98), QSize(1500, 884))).allGray())
        state.SkipWithError("the frame was not presented scaled into the screen");
    if (qEnvironmentVariableIsSet("FRAME_BENCH_SAVE"))
        screen.save(qEnvironmentVariable("FRAME_BENCH_SAVE"));
}
BENCHMARK(BM_TickAndPresentAt1080p)->Unit(benchmark::kMillisecond);

// One in-between frame of smooth motion, the work of most frames at the
// display's rate: the sprites drawn part of their way, presented at 1080p.
void BM_SmoothFrameAt1080p(benchmark::State &state)
{
    TRunningGame game;
    TSpriteBox &box = game.PlayBox();
    box.SetSmooth(true);
    QImage screen(kScreen, QImage::Format_RGB32);
    const double copyNs = ScreenCopyNs();
    int frame = 0;
    const auto start = Clock::now();
    for (auto _ : state) {
        // Six frames to a tick, as at 60 Hz.
        if (frame++ % 6 == 0)
            game.Tick();
        box.DrawFrame(double(frame % 6) / 6.0);
        box.render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
    }
    Report(state, start, copyNs);
}
BENCHMARK(BM_SmoothFrameAt1080p)->Unit(benchmark::kMillisecond);

} // namespace
