#include "sprites/Sprite.h"
#include "sprites/ui/SpriteBox.h"
#include "sprites/SpriteList.h"

#include "TestPictures.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Frames shown after each of `steps` move steps, and the steps at which
// OnLastFrame fired (counted from 1).
struct TRun
{
    std::vector<int> Frames;
    std::vector<int> LastFrameAt;
};

TRun RunSteps(TSprite &sprite, int steps)
{
    TRun run;
    int step = 0;
    sprite.SetOnLastFrame([&](TSprite *) { run.LastFrameAt.push_back(step); });
    for (step = 1; step <= steps; ++step) {
        sprite.DoMove();
        run.Frames.push_back(sprite.Frame());
    }
    return run;
}

} // namespace

TEST(SpriteAnimation, LoopingAnimationWrapsAndFiresOnEveryEntryToTheLastFrame)
{
    TSprite sprite;
    sprite.SetPicture(MakeGif(4));
    const TRun run = RunSteps(sprite, 9);
    EXPECT_EQ(run.Frames, (std::vector<int>{1, 2, 3, 0, 1, 2, 3, 0, 1}));
    EXPECT_EQ(run.LastFrameAt, (std::vector<int>{3, 7}));
}

TEST(SpriteAnimation, NonLoopingAnimationStopsOnTheLastFrameAndFiresOnce)
{
    TSprite sprite;
    sprite.SetPicture(MakeGif(4));
    sprite.SetAnimationLoop(false);
    const TRun run = RunSteps(sprite, 7);
    EXPECT_EQ(run.Frames, (std::vector<int>{1, 2, 3, 3, 3, 3, 3}));
    EXPECT_EQ(run.LastFrameAt, (std::vector<int>{3}));
}

TEST(SpriteAnimation, AnimationDelayHoldsEachFrameForDelayPlusOneSteps)
{
    TSprite sprite;
    sprite.SetPicture(MakeGif(3));
    sprite.SetAnimationDelay(2);
    const TRun run = RunSteps(sprite, 10);
    // The first step advances at once (FrameWait starts at 0), then each frame holds 3 steps.
    EXPECT_EQ(run.Frames, (std::vector<int>{1, 1, 1, 2, 2, 2, 0, 0, 0, 1}));
    EXPECT_EQ(run.LastFrameAt, (std::vector<int>{4}));
    EXPECT_EQ(sprite.FrameWait(), 2);
}

TEST(SpriteAnimation, OnLastFrameSeesThePreviousFrameWhileItRuns)
{
    TSprite sprite;
    sprite.SetPicture(MakeGif(3));
    int seen = -1;
    sprite.SetOnLastFrame([&](TSprite *s) { seen = s->Frame(); });
    sprite.SetFrame(2);
    EXPECT_EQ(seen, 0);
    EXPECT_EQ(sprite.Frame(), 2);
}

TEST(SpriteAnimation, StillPicturesNeverChangeFrameOrFire)
{
    for (const TPicture &picture : {SolidBitmap(5, 5, Qt::red), MakeGif(1), TPicture()}) {
        TSprite sprite;
        sprite.SetPicture(picture);
        sprite.SetFrameWait(0);
        int fired = 0;
        sprite.SetOnLastFrame([&](TSprite *) { ++fired; });
        EXPECT_FALSE(sprite.IsAnimated());
        sprite.SetFrame(0);
        sprite.NextFrame();
        sprite.SetAnimationDelay(4);
        sprite.DoMove();
        EXPECT_EQ(sprite.Frame(), 0);
        EXPECT_EQ(sprite.FrameWait(), 0);
        EXPECT_EQ(fired, 0);
    }
    TSprite gif;
    gif.SetPicture(MakeGif(1));
    EXPECT_EQ(gif.FrameCount(), 1);
    TSprite bitmap;
    bitmap.SetPicture(SolidBitmap(5, 5, Qt::red));
    EXPECT_EQ(bitmap.FrameCount(), 0);
}

TEST(SpriteAnimation, FirstFrameFromTheLastFrameDoesNotFire)
{
    TSprite sprite;
    sprite.SetPicture(MakeGif(3));
    sprite.SetFrame(2);
    int fired = 0;
    sprite.SetOnLastFrame([&](TSprite *) { ++fired; });
    sprite.FirstFrame();
    EXPECT_EQ(sprite.Frame(), 0);
    EXPECT_EQ(fired, 0);
    // Entering the last frame when already on it does not fire either.
    sprite.SetFrame(2);
    sprite.SetFrame(2);
    EXPECT_EQ(fired, 1);
}

TEST(SpriteAnimation, PictureSwappedInsideOnLastFrameIsDrawnWithoutReadingPastItsFrames)
{
    // An explosion of 5 frames is swapped for a 2-frame picture as it ends;
    // Frame is then 4, beyond the new picture.
    TSprite sprite;
    sprite.SetPicture(MakeGif(5, 6, 6));
    sprite.SetOnLastFrame([](TSprite *s) {
        s->SetPicture(MakeGif(2, 6, 6));
        s->SetAnimationDelay(1);
    });
    sprite.SetFrame(4);
    EXPECT_EQ(sprite.Frame(), 4);
    EXPECT_EQ(sprite.FrameWait(), 1);
    QImage target(6, 6, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        sprite.DrawOn(painter);
    }
    EXPECT_EQ(target.pixel(3, 3), FrameColour(1));
    // The clock carries on inside the new picture.
    sprite.DoMove();
    sprite.DoMove();
    EXPECT_EQ(sprite.Frame(), 0);
}

TEST(SpriteFields, DirectionsOutsideMinusOneToOneAreIgnoredSilently)
{
    TSprite sprite;
    int bounces = 0;
    sprite.SetOnBounce([&](TSprite *) { ++bounces; });
    sprite.SetVX(2);
    sprite.SetVY(-2);
    EXPECT_EQ(sprite.VX(), 0);
    EXPECT_EQ(sprite.VY(), 0);
    EXPECT_EQ(bounces, 0);
    sprite.SetVX(1);
    sprite.SetVX(1);
    sprite.SetVY(-1);
    EXPECT_EQ(sprite.VX(), 1);
    EXPECT_EQ(sprite.VY(), -1);
    EXPECT_EQ(bounces, 3);
}

TEST(SpriteFields, SetStateFiresOnlyOnChangeAndReentersForTheNewValue)
{
    TSprite sprite;
    std::vector<int> seen;
    sprite.SetOnStateChanged([&](TSprite *s) {
        seen.push_back(s->State());
        if (s->State() == 1)
            s->SetState(2);
        seen.push_back(-s->State());
    });
    sprite.SetState(0);
    EXPECT_TRUE(seen.empty());
    sprite.SetState(1);
    // Inner call for 2 completes before the outer handler goes on.
    EXPECT_EQ(seen, (std::vector<int>{1, 2, -2, -2}));
    EXPECT_EQ(sprite.State(), 2);
}

TEST(SpriteFields, HandlerMayReplaceItselfWhileRunning)
{
    TSprite sprite;
    int calls = 0;
    sprite.SetOnMove([&](TSprite *s) {
        int captured[8] = {1, 2, 3, 4, 5, 6, 7, 8};   // a handler big enough to live on the heap
        s->SetOnMove([captured, &calls](TSprite *) { calls += captured[7]; });
        ++calls;
    });
    sprite.DoMove();
    sprite.DoMove();
    EXPECT_EQ(calls, 9);
}

TEST(SpriteFields, SizeFollowsEveryPictureChange)
{
    TSprite sprite;
    EXPECT_EQ(sprite.Rect(), QRect(0, 0, 0, 0));
    sprite.SetLeft(10);
    sprite.SetTop(-4);
    sprite.SetPicture(SolidBitmap(7, 3, Qt::red));
    EXPECT_EQ(sprite.Rect(), QRect(10, -4, 7, 3));
    sprite.SetPicture(MakeGif(2, 12, 9));
    EXPECT_EQ(sprite.Width(), 12);
    EXPECT_EQ(sprite.Height(), 9);
    EXPECT_TRUE(sprite.IsAnimated());
}

TEST(SpriteFields, NewSpriteStartsAsDescribed)
{
    TSprite sprite;
    EXPECT_TRUE(sprite.Enabled());
    EXPECT_TRUE(sprite.AnimationLoop());
    EXPECT_TRUE(sprite.Transparent());
    EXPECT_EQ(sprite.State(), 0);
    EXPECT_EQ(sprite.Kind(), 0);
    EXPECT_EQ(sprite.Frame(), 0);
    EXPECT_EQ(sprite.FrameWait(), 0);
    EXPECT_EQ(sprite.AnimationDelay(), 0);
}

TEST(SpriteFields, AssignCopiesPictureLoopAndDelayOnly)
{
    TSprite source;
    source.SetPicture(MakeGif(3, 8, 5));
    source.SetAnimationLoop(false);
    source.SetAnimationDelay(3);
    source.SetLeft(50);
    source.SetKind(9);
    source.SetState(2);
    source.SetEnabled(false);
    source.SetFrame(1);

    TSprite target;
    target.SetLeft(1);
    target.Assign(source);
    EXPECT_EQ(target.Width(), 8);
    EXPECT_EQ(target.FrameCount(), 3);
    EXPECT_FALSE(target.AnimationLoop());
    EXPECT_EQ(target.AnimationDelay(), 3);
    EXPECT_EQ(target.Left(), 1);
    EXPECT_EQ(target.Kind(), 0);
    EXPECT_EQ(target.State(), 0);
    EXPECT_TRUE(target.Enabled());
    EXPECT_EQ(target.Frame(), 0);
    EXPECT_EQ(target.FrameWait(), 0);

    target.AssignPicture(SolidBitmap(2, 2, Qt::blue));
    EXPECT_EQ(target.Width(), 2);
    EXPECT_EQ(target.AnimationDelay(), 3);
}

TEST(SpriteList, OwnsFindsAndReleasesSprites)
{
    TSpriteList list;
    TSprite *a = list.AddNew();
    TSprite *b = list.Add(std::make_unique<TSprite>());
    TSprite *c = list.AddNew();
    b->SetKind(5);
    c->SetKind(5);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(1), b);
    EXPECT_EQ(list.FindKind(5), b);
    EXPECT_EQ(list.FindKind(0), a);
    EXPECT_EQ(list.FindKind(7), nullptr);

    std::unique_ptr<TSprite> taken = list.Extract(b);
    EXPECT_EQ(taken.get(), b);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.FindKind(5), c);
    EXPECT_EQ(list.Extract(b), nullptr);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(SpriteList, FreedSpritesLeaveTheirBoxes)
{
    TSpriteBox box;
    TSprite *kept = nullptr;
    {
        TSpriteList list;
        kept = list.AddNew();
        TSprite *gone = list.AddNew();
        box.AddSprite(kept);
        box.AddSprite(gone);
        std::unique_ptr<TSprite> owned = list.Extract(kept);
        list.Clear();
        EXPECT_EQ(box.SpriteCount(), 1);
        EXPECT_EQ(box.Sprite(0), kept);
        owned.reset();
        EXPECT_EQ(box.SpriteCount(), 0);
        box.AddSprite(list.AddNew());
    }
    EXPECT_EQ(box.SpriteCount(), 0);
    box.Step();
}

TEST(SpriteList, SpritesOutliveTheirBoxSafely)
{
    TSpriteList list;
    TSprite *sprite = list.AddNew();
    {
        TSpriteBox first;
        TSpriteBox second;
        first.AddSprite(sprite);
        second.AddSprite(sprite);
    }
    list.Clear();   // must not touch the boxes that are gone
    SUCCEED();
}
