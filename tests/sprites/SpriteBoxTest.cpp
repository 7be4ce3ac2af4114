#include "sprites/ui/SpriteBox.h"
#include "sprites/SpriteList.h"

#include "TestPictures.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>

namespace {

// A box with `count` sprites of 4 x 4 solid colour, each at (10 * i, 0),
// each logging its moves as a letter.
struct TField
{
    TSpriteBox Box;
    TSpriteList Sprites;
    std::string Log;

    explicit TField(int count)
    {
        Box.resize(60, 20);
        for (int i = 0; i < count; ++i) {
            TSprite *sprite = Sprites.AddNew();
            sprite->SetPicture(KeyedBitmap(4, 4, QColor(10 + i, 100, 100)));
            sprite->SetLeft(10 * i);
            sprite->SetOnMove([this, i](TSprite *) { Log += char('a' + i); });
            Box.AddSprite(sprite);
        }
    }
    TSprite *At(int i) { return Sprites.Items(i); }
    bool Drawn(int i) { return Box.BackBuffer().pixel(10 * i + 1, 1) == qRgb(10 + i, 100, 100); }
};

} // namespace

TEST(SpriteBoxStep, MovesThenDrawsEnabledSpritesInListOrder)
{
    TField field(3);
    field.At(1)->SetEnabled(false);
    std::string order;
    field.Box.SetBeforeSprtMove([&](TSprite *s) { order += "<" + std::to_string(s->Left()); });
    field.Box.SetAfterSprtMove([&](TSprite *s) { order += ">" + std::to_string(s->Left()); });
    field.Box.Step();
    EXPECT_EQ(field.Log, "ac");
    EXPECT_EQ(order, "<0>0<20>20");
    EXPECT_TRUE(field.Drawn(0));
    EXPECT_FALSE(field.Drawn(1));
    EXPECT_TRUE(field.Drawn(2));
}

TEST(SpriteBoxStep, LaterSpritesAreDrawnOverEarlierOnes)
{
    TField field(2);
    field.At(1)->SetLeft(0);
    field.Box.Step();
    EXPECT_EQ(field.Box.BackBuffer().pixel(1, 1), qRgb(11, 100, 100));
}

TEST(SpriteBoxStep, SpriteDisabledByAnEarlierHandlerIsNeitherMovedNorDrawn)
{
    TField field(3);
    field.At(0)->SetOnMove([&](TSprite *) { field.At(1)->SetEnabled(false); });
    field.Box.Step();
    EXPECT_EQ(field.Log, "c");
    EXPECT_FALSE(field.Drawn(1));
}

TEST(SpriteBoxStep, SpriteEnabledByAnEarlierHandlerIsMovedInTheSameStep)
{
    TField field(3);
    field.At(1)->SetEnabled(false);
    field.At(0)->SetOnMove([&](TSprite *) { field.At(1)->SetEnabled(true); });
    field.Box.Step();
    EXPECT_EQ(field.Log, "bc");
    EXPECT_TRUE(field.Drawn(1));
}

TEST(SpriteBoxStep, SpritesAppendedDuringAStepAreDrawnButNotMoved)
{
    TField field(2);
    TSprite *late = field.Sprites.AddNew();
    late->SetPicture(KeyedBitmap(4, 4, QColor(12, 100, 100)));
    late->SetLeft(20);
    late->SetOnMove([&](TSprite *) { field.Log += 'z'; });
    field.At(0)->SetOnMove([&](TSprite *) { field.Box.AddSprite(late); });
    field.Box.Step();
    EXPECT_EQ(field.Log, "b");
    EXPECT_TRUE(field.Drawn(2));
    field.Box.Step();
    EXPECT_EQ(field.Log, "bbz");
}

TEST(SpriteBoxStep, SpriteFreedDuringAStepIsNeverReadAgain)
{
    TField field(3);
    // Not something the game does, but a freed sprite must not be touched.
    field.At(0)->SetOnMove([&](TSprite *) { field.Sprites.Extract(field.At(2)).reset(); });
    field.Box.Step();
    EXPECT_EQ(field.Box.SpriteCount(), 2);
}

TEST(SpriteBoxStep, StartsEachFrameFromTheBackground)
{
    TField field(1);
    field.Box.SetColor(Qt::darkGreen);
    field.Box.Step();
    EXPECT_TRUE(field.Drawn(0));
    field.At(0)->SetLeft(30);
    field.Box.Step();
    EXPECT_EQ(field.Box.BackBuffer().pixel(1, 1), QColor(Qt::darkGreen).rgb());
    EXPECT_EQ(field.Box.BackBuffer().pixel(31, 1), qRgb(10, 100, 100));
}

TEST(SpriteBoxStep, APictureBackgroundComesBackWhereSpritesLeftOrVanished)
{
    TField field(2);
    QImage picture(60, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 12, 200));
    field.Box.SetImage(picture);
    field.Box.Step();
    field.At(0)->SetLeft(30);
    field.At(1)->SetEnabled(false);
    field.Box.Step();
    field.Box.Step();
    QImage expected = field.Box.Background().copy();
    QPainter painter(&expected);
    field.At(0)->DrawOn(painter);
    painter.end();
    EXPECT_EQ(field.Box.BackBuffer(), expected);
}

TEST(SpriteBoxStep, StepsEveryMoveOfAnAnimation)
{
    TSpriteBox box;
    TSprite sprite;
    sprite.SetPicture(MakeGif(3, 6, 6));
    box.AddSprite(&sprite);
    box.Step();
    EXPECT_EQ(sprite.Frame(), 1);
    EXPECT_EQ(box.BackBuffer().pixel(2, 2), FrameColour(1));
    box.Step();
    EXPECT_EQ(box.BackBuffer().pixel(2, 2), FrameColour(2));
}

TEST(SpriteBoxList, AddsOnceAndRemovesOnlyWhatItHolds)
{
    TSpriteBox box;
    TSprite a, b;
    box.AddSprite(&a);
    box.AddSprite(&a);
    EXPECT_EQ(box.SpriteCount(), 1);
    box.RemoveSprite(&b);
    EXPECT_EQ(box.SpriteCount(), 1);
    box.AddSprite(&b);
    box.RemoveSprite(&a);
    EXPECT_EQ(box.SpriteCount(), 1);
    EXPECT_EQ(box.Sprite(0), &b);
}

TEST(SpriteBoxList, AFieldSteppedByItselfIsDrawnByTheBoxShowingItAndOutlivesIt)
{
    TSpriteField field;
    TSprite sprite;
    sprite.SetPicture(KeyedBitmap(4, 4, QColor(10, 100, 100)));
    int moves = 0;
    sprite.SetOnMove([&](TSprite *) { ++moves; });
    field.AddSprite(&sprite);
    {
        TSpriteBox box;
        box.resize(20, 20);
        box.SetField(&field);
        EXPECT_EQ(box.SpriteCount(), 1);
        field.Step();
        EXPECT_EQ(box.StepCount(), 1);
        EXPECT_EQ(box.BackBuffer().pixel(1, 1), qRgb(10, 100, 100));
    }
    field.Step();
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(field.SpriteCount(), 1);
}

TEST(SpriteBoxList, AFieldThatGoesFirstLeavesTheBoxOnItsOwnField)
{
    TSpriteBox box;
    TSprite sprite;
    {
        TSpriteField field;
        field.AddSprite(&sprite);
        box.SetField(&field);
    }
    EXPECT_EQ(box.SpriteCount(), 0);
    box.AddSprite(&sprite);
    box.Step();
    EXPECT_EQ(box.StepCount(), 1);
}

TEST(SpriteBoxFind, ReturnsTheEarliestEnabledSpriteOfTheKindThatOverlaps)
{
    TField field(3);
    for (int i = 0; i < 3; ++i) {
        field.At(i)->SetLeft(0);
        field.At(i)->SetKind(2);
    }
    field.At(0)->SetEnabled(false);
    EXPECT_EQ(field.Box.FindSprite(2, QRect(1, 1, 2, 2)), field.At(1));
    EXPECT_EQ(field.Box.FindSprite(3, QRect(1, 1, 2, 2)), nullptr);
    field.At(1)->SetKind(1);
    EXPECT_EQ(field.Box.FindSprite(2, QRect(1, 1, 2, 2)), field.At(2));
}

TEST(SpriteBoxFind, TouchingEdgesAndEmptyRectanglesDoNotCollide)
{
    TField field(1);   // a 4 x 4 sprite at (0, 0)
    EXPECT_EQ(field.Box.FindSprite(0, QRect(4, 0, 3, 3)), nullptr);
    EXPECT_EQ(field.Box.FindSprite(0, QRect(0, 4, 3, 3)), nullptr);
    EXPECT_EQ(field.Box.FindSprite(0, QRect(-3, -3, 3, 3)), nullptr);
    EXPECT_EQ(field.Box.FindSprite(0, QRect(3, 3, 3, 3)), field.At(0));
    EXPECT_EQ(field.Box.FindSprite(0, QRect(1, 1, 0, 0)), nullptr);
    EXPECT_EQ(field.Box.FindSprite(0, QRect(1, 1, 5, 0)), nullptr);
}

TEST(RectRule, IsHalfOpenAndTreatsInvertedRectanglesAsEmpty)
{
    EXPECT_TRUE(RectsIntersect(QRect(0, 0, 10, 10), QRect(9, 9, 1, 1)));
    EXPECT_FALSE(RectsIntersect(QRect(0, 0, 10, 10), QRect(10, 0, 1, 1)));
    EXPECT_FALSE(RectsIntersect(QRect(0, 0, 10, 10), QRect(0, 10, 1, 1)));
    // QRect's own test would normalise these; an inverted rectangle holds nothing.
    EXPECT_FALSE(RectsIntersect(QRect(0, 0, 10, 10), QRect(5, 5, -3, -3)));
    EXPECT_FALSE(RectsIntersect(QRect(5, 5, -3, 4), QRect(0, 0, 10, 10)));
    // Built from corners: QRect's own size constructor wraps round this close to the limit.
    EXPECT_FALSE(RectsIntersect(QRect(QPoint(2147483600, 0), QPoint(2147483647, 9)),
                                QRect(-2147483600, 0, 10, 10)));
}

TEST(RectRule, SpritesNearTheIntegerLimitCollideByTheirTrueEdges)
{
    TSprite far;
    far.SetPicture(TPicture::FromImage(QImage(100, 10, QImage::Format_RGB32)));
    far.SetLeft(2147483600);
    far.SetTop(2147483640);
    EXPECT_EQ(far.Bounds().Right, 2147483700);
    EXPECT_EQ(far.Bounds().Bottom, 2147483650);
    const TSpriteRect beyond(2147483647, 2147483647, 2147483800, 2147483800);
    EXPECT_TRUE(RectsIntersect(far.Bounds(), beyond));
    EXPECT_FALSE(RectsIntersect(far.Bounds(), QRect(-2147483600, 2147483640, 10, 5)));
    TSpriteBox box;
    box.AddSprite(&far);
    EXPECT_EQ(box.FindSprite(0, beyond), &far);
}

TEST(SpriteBoxBackground, NewBoxIs105SquareOfBlack)
{
    TSpriteBox box;
    EXPECT_EQ(box.size(), QSize(105, 105));
    EXPECT_EQ(box.Background().size(), QSize(105, 105));
    EXPECT_EQ(box.Background().pixel(50, 50), qRgb(0, 0, 0));
    EXPECT_EQ(box.Color(), QColor(Qt::black));
    EXPECT_TRUE(box.Center());
    EXPECT_FALSE(box.Stretch());
}

TEST(SpriteBoxBackground, EmptyImageGivesPlainColour)
{
    TSpriteBox box;
    box.SetImage(SolidImage(3, 3, Qt::red));
    box.SetImage(QImage());
    box.SetColor(QColor(1, 2, 3));
    EXPECT_TRUE(box.Image().isNull());
    EXPECT_EQ(box.Background().pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(box.Background().pixel(104, 104), qRgb(1, 2, 3));
    EXPECT_EQ(box.BackBuffer().pixel(104, 104), qRgb(1, 2, 3));
}

TEST(SpriteBoxBackground, CentresTheImageRoundingTowardsZero)
{
    TSpriteBox box;
    box.resize(9, 8);
    box.SetColor(Qt::blue);
    box.SetImage(SolidImage(4, 4, Qt::red));
    // (9 - 4) div 2 = 2, (8 - 4) div 2 = 2.
    EXPECT_EQ(box.Background().pixel(1, 2), QColor(Qt::blue).rgb());
    EXPECT_EQ(box.Background().pixel(2, 2), QColor(Qt::red).rgb());
    EXPECT_EQ(box.Background().pixel(5, 5), QColor(Qt::red).rgb());
    EXPECT_EQ(box.Background().pixel(6, 5), QColor(Qt::blue).rgb());

    // An image wider than the box by an odd amount: (9 - 12) div 2 = -1, not -2.
    QImage wide = SolidImage(12, 1, Qt::red);
    wide.setPixel(0, 0, qRgb(0, 255, 0));
    wide.setPixel(1, 0, qRgb(0, 0, 255));
    box.SetImage(wide);
    EXPECT_EQ(box.Background().pixel(0, 3), qRgb(0, 0, 255));
}

TEST(SpriteBoxBackground, TopLeftWithoutCentreAndStretchWins)
{
    TSpriteBox box;
    box.resize(10, 10);
    box.SetImage(SolidImage(4, 4, Qt::red));
    box.SetCenter(false);
    EXPECT_EQ(box.Background().pixel(0, 0), QColor(Qt::red).rgb());
    EXPECT_EQ(box.Background().pixel(4, 4), qRgb(0, 0, 0));
    box.SetCenter(true);
    box.SetStretch(true);
    EXPECT_EQ(box.Background().pixel(0, 0), QColor(Qt::red).rgb());
    EXPECT_EQ(box.Background().pixel(9, 9), QColor(Qt::red).rgb());
}

TEST(SpriteBoxBackground, ResizeRecomposesTheBackground)
{
    TSpriteBox box;
    box.SetColor(Qt::green);
    box.resize(30, 20);
    box.Step();   // a hidden box gets its resize event late; Step must not use the old size
    EXPECT_EQ(box.Background().size(), QSize(30, 20));
    EXPECT_EQ(box.BackBuffer().size(), QSize(30, 20));
    EXPECT_EQ(box.BackBuffer().pixel(29, 19), QColor(Qt::green).rgb());
}

TEST(SpriteBoxPaint, PresentingAStepsFrameDoesNotStepAgain)
{
    TField field(1);
    field.Box.show();
    QApplication::processEvents();
    field.Log.clear();
    const qint64 before = field.Box.StepCount();

    field.Box.Step();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(field.Log, "a");
    EXPECT_EQ(field.Box.StepCount(), before + 1);
}

TEST(SpriteBoxPaint, ARepaintTheSystemAsksForStepsOnce)
{
    TField field(1);
    field.Box.show();
    QApplication::processEvents();
    field.Log.clear();

    field.Box.repaint();
    QApplication::processEvents();
    EXPECT_EQ(field.Log, "a");
    // The frame drawn by that repaint is shown, not stepped again.
    QApplication::processEvents();
    EXPECT_EQ(field.Log, "a");
}

TEST(SpriteBoxPaint, ShownFrameIsTheBackBuffer)
{
    TField field(1);
    field.Box.SetColor(Qt::darkBlue);
    field.Box.show();
    QApplication::processEvents();
    field.Box.Step();
    const QImage shown = field.Box.grab().toImage();
    EXPECT_EQ(shown.pixel(1, 1), qRgb(10, 100, 100));
    EXPECT_EQ(shown.pixel(50, 10), QColor(Qt::darkBlue).rgb());
}

TEST(SpriteBoxClick, LeftClickInsideTheBoxIsReported)
{
    TSpriteBox box;
    box.show();
    int clicks = 0;
    QObject::connect(&box, &TSpriteBox::Clicked, [&] { ++clicks; });
    auto click = [&](Qt::MouseButton button, QPoint releaseAt) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), button, button, {});
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(releaseAt), QPointF(releaseAt),
                            button, Qt::NoButton, {});
        QApplication::sendEvent(&box, &press);
        QApplication::sendEvent(&box, &release);
    };
    click(Qt::LeftButton, QPoint(6, 6));
    click(Qt::RightButton, QPoint(6, 6));
    click(Qt::LeftButton, QPoint(500, 6));   // released outside: no click
    EXPECT_EQ(clicks, 1);
}

TEST(SpriteBoxFrames, SpriteIsDrawnThePartOfItsWayThatTheTickHasRun)
{
    TField field(1);
    field.Box.resize(100, 10);
    TSprite &sprite = *field.At(0);
    sprite.SetSpeed(20);
    sprite.SetOnMove([](TSprite *s) { s->SetLeft(s->Left() + 20); });
    field.Box.Step();
    field.Box.Step();
    field.Box.DrawFrame(0.25);
    EXPECT_EQ(sprite.PlaceAt(0.25), QPoint(25, 0));
    EXPECT_EQ(field.Box.BackBuffer().pixel(26, 1), qRgb(10, 100, 100));
    // Smooth, the tick's own step shows where the tick began.
    field.Box.SetSmooth(true);
    field.Box.BeginTick();
    field.Box.Step();
    EXPECT_EQ(field.Box.BackBuffer().pixel(41, 1), qRgb(10, 100, 100));
}

TEST(SpriteBoxFrames, SpriteThatJumpsIsDrawnAtItsNewPlaceAtAnyFraction)
{
    TField field(1);
    TSprite &sprite = *field.At(0);
    sprite.SetSpeed(20);
    auto stepAt = [&](int left, int top) {
        sprite.SetLeft(left);
        sprite.SetTop(top);
        field.Box.Step();
        return sprite.PlaceAt(0.25);
    };
    stepAt(0, 0);
    sprite.Jump();
    EXPECT_EQ(stepAt(20, 0), QPoint(20, 0));
    EXPECT_EQ(stepAt(41, 0), QPoint(41, 0));   // farther than its speed
    sprite.SetEnabled(false);
    stepAt(41, 0);
    sprite.SetEnabled(true);
    EXPECT_EQ(stepAt(51, 0), QPoint(51, 0));
    EXPECT_EQ(stepAt(51, -20), QPoint(51, -5));
    sprite.SetTop(0);   // after the step: frames show what the step drew
    field.Box.DrawFrame(0.5);
    EXPECT_NE(field.Box.BackBuffer().pixel(52, 1), qRgb(10, 100, 100));
}

TEST(SpriteBoxFrames, BoxJustShownDrawsNoFrameBeforeItsNextStep)
{
    TField field(1);
    field.Box.Step();
    field.Box.UpdateBackground();
    field.Box.show();
    field.Box.DrawFrame(0.5);
    EXPECT_FALSE(field.Drawn(0));   // the show's own repaint steps first
    field.Box.Step();
    field.Box.DrawFrame(0.5);
    EXPECT_TRUE(field.Drawn(0));
}
