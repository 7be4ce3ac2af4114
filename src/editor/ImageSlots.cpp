#include "editor/ImageSlots.h"

#include "design/GamePar.h"
#include "editor/PictureFit.h"
#include "sprites/PictureReader.h"

#include <QDir>

#include <algorithm>

void TImageSlots::Select(int index)
{
    mCurrent = index >= 0 && index < Count ? index : -1;
    Refresh();
}

void TImageSlots::Refresh()
{
    if (mRefreshing || !HasCurrent())
        return;
    mRefreshing = true;
    mView = TImageView();
    // A BackgroundColor that is not a number counts as absent, as in the game.
    mView.Colour = mCurrent == 0 ? mDesign.BackgroundColor() : std::nullopt;
    if (mView.Colour) {
        if (!mKeepOriginal)
            mOriginal = TPicture();
        mRefreshing = false;
        return;
    }
    const TSprite &sprite = mDesign.Image(mCurrent);
    const QString file = mDesign.ImageFile(mCurrent);
    const TDesignRoots &roots = mDesign.Roots();
    const QString root = file.startsWith(roots.Player()) ? roots.Player() : roots.Shipped();
    mView.FileLabel = QDir::toNativeSeparators(QDir(root).relativeFilePath(file));
    mView.InGame = sprite.Picture();
    if (!mKeepOriginal)
        mOriginal = sprite.Picture();
    mView.Animated = sprite.IsAnimated();
    mView.LongerSide = std::max(sprite.Width(), sprite.Height());
    mView.SizeLabel = QStringLiteral("%1 x %2").arg(sprite.Width()).arg(sprite.Height());
    mView.Delay = sprite.AnimationDelay();
    mView.Loop = sprite.AnimationLoop();
    mRefreshing = false;
}

void TImageSlots::SetLoop(bool loop)
{
    if (mRefreshing || !HasCurrent())
        return;
    mDesign.Image(mCurrent).SetAnimationLoop(loop);
    Refresh();
    mModified = true;
}

void TImageSlots::SetDelay(const QString &text)
{
    if (!HasCurrent())
        return;
    bool ok = false;
    const int delay = text.toInt(&ok);
    mDesign.Image(mCurrent).SetAnimationDelay(ok ? std::clamp(delay, 0, TGamePar::MaxAnimationDelay) : 0);
    mModified = true;
}

void TImageSlots::Resize(const QString &sizeText)
{
    if (mRefreshing || !HasCurrent() || mOriginal.IsEmpty())
        return;
    bool ok = false;
    int size = sizeText.toInt(&ok);
    if (!ok || size <= 0)
        size = std::max(mDesign.Image(mCurrent).Width(), mDesign.Image(mCurrent).Height());
    // Pictures are capped by the reader; a typed size is capped the same way.
    size = std::min(size, TGifImage::MaxSide);
    mDesign.Image(mCurrent).SetPicture(TPicture::FromImage(FitGraphic(size, mOriginal)));
    mKeepOriginal = true;
    Refresh();
    mKeepOriginal = false;
    mModified = true;
}

void TImageSlots::PickColour(const QColor &colour)
{
    mBackdrop = colour;
    if (mCurrent == 0) {
        mDesign.Params().SetValue(QStringLiteral("BackgroundColor"), QString::number(ColourValue(colour)));
        mModified = true;
    }
    Refresh();
}

void TImageSlots::LoadFile(const QString &path)
{
    if (!HasCurrent())
        return;
    TPicture picture = LoadPicture(path);
    mDesign.Image(mCurrent).SetPicture(std::move(picture));
    if (mCurrent == 0)
        mDesign.Params().SetValue(QStringLiteral("BackgroundColor"), QString());
    Refresh();
    mModified = true;
}

void TImageSlots::Undo()
{
    if (!HasCurrent())
        return;
    mDesign.LoadImage(mDesign.Image(mCurrent), mCurrent);
    Refresh();
}

int TImageSlots::ColourValue(const QColor &colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QColor TImageSlots::ColourOf(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
