#include "WindowFixture.h"

#include "game/FramePump.h"
#include "sprites/ui/SpriteBox.h"

#include <cstddef>
#include <utility>

// Every heap allocation, operator new and Qt's included, ends in one of
// these; counted on this thread while a count runs (-1: not counting).
extern "C" void *__libc_malloc(std::size_t size);
extern "C" void *__libc_calloc(std::size_t count, std::size_t size);
extern "C" void *__libc_realloc(void *pointer, std::size_t size);
namespace {
thread_local long tAllocations = -1;
}
extern "C" void *malloc(std::size_t size)
{
    tAllocations += tAllocations >= 0;
    return __libc_malloc(size);
}
extern "C" void *calloc(std::size_t count, std::size_t size)
{
    tAllocations += tAllocations >= 0;
    return __libc_calloc(count, size);
}
extern "C" void *realloc(void *pointer, std::size_t size)
{
    tAllocations += tAllocations >= 0;
    return __libc_realloc(pointer, size);
}

template <typename Work>
long CountAllocations(Work &&work)
{
    tAllocations = 0;
    work();
    return std::exchange(tAllocations, -1);
}

TEST_F(WindowFixture, StepsAndSmoothFramesOfARunningGameAllocateNothing)
{
    Open();
    // Rockets, bombs, explosions and a gliding formation.
    Run("seed 3\nnew\ntick 30 Space Left\ntick 20 Space Right");
    TSpriteBox &box = PlayBox();
    ASSERT_TRUE(box.isVisible());
    TFramePump &pump = FramePump();
    pump.SetEnabled(true);
    auto steps = [&] {
        for (int i = 0; i < 1000; ++i)
            box.Step();
    };
    auto frames = [&] {
        for (int i = 0; i < 1000; ++i) {
            if (i % 6 == 0)
                pump.TickStarted();
            box.DrawFrame((i % 6) / 6.0);
            pump.Frame();
        }
    };
    // Warm-up: the painter opens and the first repaint is queued.
    steps();
    frames();
    // Only the game's own work is counted: the changed parts of the field
    // still reach update(), but Qt, which collects them into its region of
    // parts to repaint, allocates for that as a repaint does.
    box.setUpdatesEnabled(false);
    EXPECT_EQ(CountAllocations(steps), 0);
    EXPECT_EQ(CountAllocations(frames), 0);
    box.setUpdatesEnabled(true);
}
