#include "editor/ImageSlots.h"

#include "design/DesignLayout.h"
#include "design/GamePar.h"
#include "editor/PictureFit.h"
#include "sprites/PictureReader.h"

#include <QDir>

#include <algorithm>

TImageSlots::TImageSlots(TGamePar &design, bool &modified)
    : mDesign(design), mModified(modified), mField([this] { return mDesign.FieldSize(); })
{
}

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
    const QString &source = mSource[std::size_t(mCurrent)];
    mView.FileLabel = QDir::toNativeSeparators(source.isEmpty() ? QDir(root).relativeFilePath(file) : source);
    mView.InGame = sprite.Picture();
    if (!mKeepOriginal)
        mOriginal = sprite.Picture();
    mView.Animated = sprite.IsAnimated();
    mView.LongerSide = std::max(sprite.Width(), sprite.Height());
    mView.SizeLabel = QStringLiteral("%1 x %2").arg(sprite.Width()).arg(sprite.Height());
    mView.Delay = sprite.AnimationDelay();
    // The game never repeats the game-over and title pictures.
    mView.Loop = mCurrent < GameOver && sprite.AnimationLoop();
    mView.FitTo = FitSize(sprite.Picture().Size());
    mView.BeyondField = mView.LongerSide > MaxFieldSide;
    mRefreshing = false;
}

std::optional<QSize> TImageSlots::FitSize(QSize size) const
{
    if (mCurrent == 0) {
        const QSize field = Field();
        return size != field ? std::optional<QSize>(field) : std::nullopt;
    }
    const int replaced = mReplacedSide[std::size_t(mCurrent)];
    if (replaced > 0 && std::max(size.width(), size.height()) > 2 * replaced)
        return FittedSize(replaced, size);
    return std::nullopt;
}

void TImageSlots::Fit()
{
    if (!HasCurrent() || !mView.FitTo || mOriginal.IsEmpty())
        return;
    if (mCurrent != 0) {
        Resize(QString::number(std::max(mView.FitTo->width(), mView.FitTo->height())));
        return;
    }
    // A Background that followed the field is fitted again from the picture it came from.
    const TPicture from = mFitSource[0].IsEmpty() ? mOriginal : mFitSource[0];
    mDesign.Image(mCurrent).SetPicture(TPicture::FromImage(StretchGraphic(*mView.FitTo, from)));
    mFitSource[0] = from;
    mKeepOriginal = true;
    Refresh();
    mKeepOriginal = false;
    mModified = true;
}

void TImageSlots::Forget()
{
    mReplacedSide.fill(0);
    mSource.fill(QString());
    mFitSource.fill(TPicture());
    mMadeTitles = TMadeTitles();
    const TPicture &background = mDesign.Image(0).Picture();
    if (!mDesign.BackgroundColor() && !background.IsEmpty() && background.Size() == Field())
        mFitSource[0] = background;
}

bool TImageSlots::NeedsToFollowField() const
{
    return !mFitSource[0].IsEmpty() && !mDesign.BackgroundColor() && mDesign.Image(0).Picture().Size() != Field();
}

void TImageSlots::FollowField()
{
    if (!NeedsToFollowField())
        return;
    mDesign.Image(0).SetPicture(TPicture::FromImage(StretchGraphic(Field(), mFitSource[0])));
    mModified = true;
    if (mCurrent == 0)
        Restore(-1, mOriginal);
}

bool TImageSlots::TitlesNeedToFollowField() const
{
    if (mMadeTitles.Text.isEmpty() || mMadeTitles.Field == Field())
        return false;
    // Any other picture put in their place since keeps its size.
    for (int n = 0; n < 3; ++n) {
        if (mDesign.Image(FirstTitle + n).Picture().Identity() != mMadeTitles.Pictures[std::size_t(n)].Identity())
            return false;
    }
    return true;
}

void TImageSlots::SetTitles(const std::array<TPicture, 3> &titles, int delay, const TMadeTitles &made)
{
    mMadeTitles = made;
    mMadeTitles.Pictures = titles;
    for (int n = 0; n < 3; ++n) {
        const int slot = FirstTitle + n;
        TSprite &sprite = mDesign.Image(slot);
        sprite.SetPicture(titles[std::size_t(n)]);
        sprite.SetAnimationDelay(delay);
        sprite.SetAnimationLoop(false);
        mSource[std::size_t(slot)].clear();
        mFitSource[std::size_t(slot)] = TPicture();
        if (slot == mCurrent)
            mOriginal = titles[std::size_t(n)];
    }
    mModified = true;
    Restore(-1, mOriginal);
}

void TImageSlots::Saved()
{
    mSource.fill(QString());
    Restore(-1, mOriginal);
}

void TImageSlots::Restore(int index, const TPicture &original)
{
    if (index >= 0)
        mCurrent = index < Count ? index : -1;
    mKeepOriginal = true;
    Refresh();
    mKeepOriginal = false;
    if (index >= 0)
        mOriginal = original;
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
    mFitSource[std::size_t(mCurrent)] = TPicture();
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
    TSprite &sprite = mDesign.Image(mCurrent);
    int &replaced = mReplacedSide[std::size_t(mCurrent)];
    if (replaced == 0)
        replaced = std::max(sprite.Width(), sprite.Height());
    sprite.SetPicture(std::move(picture));
    mSource[std::size_t(mCurrent)] = path;
    mFitSource[std::size_t(mCurrent)] = TPicture();
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
    mSource[std::size_t(mCurrent)].clear();
    mFitSource[std::size_t(mCurrent)] = TPicture();
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
