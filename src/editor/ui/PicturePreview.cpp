#include "editor/ui/PicturePreview.h"

#include <QPainter>
#include <QTimer>

#include <algorithm>

TPicturePreview::TPicturePreview(QWidget *parent)
    : QWidget(parent), mTimer(new QTimer(this))
{
    mTimer->setInterval(TickMs);
    connect(mTimer, &QTimer::timeout, this, &TPicturePreview::Tick);
}

void TPicturePreview::SetPicture(const TPicture &picture, int delay, bool loop)
{
    mSolid = QColor();
    mSprite.SetPicture(picture);
    mSprite.SetAnimationDelay(delay);
    mSprite.SetAnimationLoop(loop);
    mSprite.FirstFrame();
    if (mSizeToPicture)
        setFixedSize(std::max(1, picture.Width()), std::max(1, picture.Height()));
    UpdateTimer();
    update();
}

void TPicturePreview::SetLoop(bool loop)
{
    mSprite.SetAnimationLoop(loop);
    // A play that stopped at its last frame starts again when looping is on.
    if (loop && mSprite.Frame() == mSprite.FrameCount() - 1)
        mSprite.FirstFrame();
    UpdateTimer();
}

void TPicturePreview::SetPlaying(bool playing)
{
    mPlaying = playing;
    if (!playing)
        mSprite.FirstFrame();
    UpdateTimer();
    update();
}

void TPicturePreview::SetBackdrop(const QColor &colour)
{
    mBackdrop = colour;
    update();
}

void TPicturePreview::SetSolid(const QColor &colour)
{
    SetPicture(TPicture());
    mSolid = colour;
    update();
}

bool TPicturePreview::Running() const
{
    return mTimer->isActive();
}

void TPicturePreview::UpdateTimer()
{
    if (mPlaying && mSprite.IsAnimated())
        mTimer->start();
    else
        mTimer->stop();
}

void TPicturePreview::Tick()
{
    mSprite.DoMove();
    // Not looping: the play ends on the last frame and stays there.
    if (!mSprite.AnimationLoop() && mSprite.Frame() == mSprite.FrameCount() - 1)
        mTimer->stop();
    update();
}

void TPicturePreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), mSolid.isValid() ? mSolid : mBackdrop);
    const TPicture &picture = mSprite.Picture();
    if (mSolid.isValid() || picture.IsEmpty())
        return;
    const int left = (width() - picture.Width()) / 2;
    const int top = (height() - picture.Height()) / 2;
    picture.Draw(painter, left, top, mSprite.Frame(), true);
}
