#include "design/GamePar.h"

#include "base/FileNames.h"
#include "base/Random.h"
#include "design/DesignLayout.h"
#include "sprites/DeferredBitmap.h"
#include "sprites/PictureReader.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

TGamePar::TGamePar(TDesignRoots roots)
    : mRoots(std::move(roots)), mImages(std::make_unique<TSpriteList>())
{
    for (int i = 0; i < ImageCount; ++i)
        mImages->AddNew();
    SetDefaults();
}

void TGamePar::SetDefaults()
{
    mFormationLeft = 20;
    mShipDistX = 90;
    mFormationTop = 40;
    mShipDistY = 70;
    mShipColumns = 5;
    mShipRows = 3;
    mShipStepX = 10;
    mShipRangeX = 150;
    mHomeTop = 290;
    mHomeLeft = 80;
    mHomeDistX = 190;
    mHomeCount = 3;
    mCanonTop = 360;
    mBombCount = 15;
    mBombChance = 200;
    mBombStep = 20;
    mLivesTop = 10;
    mLivesLeft = 120;
    mLivesDistX = 30;
    mCanonStep = 20;
    mRocketCount = 3;
    mRocketReload = 5;
    mRocketStep = 20;
    mPhotoCount = 0;
    mBonusScore = 5000;
    mParams.SetValue(QStringLiteral("Version"), QStringLiteral("Banana"));
}

int32_t TGamePar::ReadNumber(const QString &key, int32_t fallback) const
{
    int value = 0;
    return ParseInt32(mParams.Value(key), value) ? value : fallback;
}

int32_t TGamePar::ReadBoundedNumber(const QString &key, int32_t fallback, int32_t min, int32_t max) const
{
    const int32_t value = ReadNumber(key, fallback);
    if (value < min || value > max)
        RefuseNumber(key, min, max);
    return value;
}

void TGamePar::RefuseNumber(const QString &key, int32_t min, int32_t max) const
{
    throw EDesignError(QStringLiteral("The design \"%1\" cannot be used: %2=%3 in %4 is out of "
                                      "range (%5 to %6).")
                           .arg(mDesignName, key, mParams.Value(key), QLatin1String(DesignIniName))
                           .arg(min)
                           .arg(max));
}

void TGamePar::Load(const QString &name)
{
    mDesignName = name.isEmpty() ? QStringLiteral("Default") : name;
    mDesignDir = mRoots.DirOf(mDesignName);
    if (!QFileInfo(mDesignDir).isDir()) {
        mDesignName = QStringLiteral("Default");
        mDesignDir = DefaultDir();
    }
    SetDefaults();
    // Nothing of the previously loaded design may leak into this one: its
    // colour, texts and cell sizes would otherwise stay when a key is absent.
    mBigShipWidth = mBigShipHeight = mClientWidth = mClientHeight = 0;
    mParams.Clear();
    mPhotos.clear();
    mPhotoField = QSize();
    mBudget.Reset(mDesignName);
    struct TDropIndexes
    {
        TGamePar &Par;
        ~TDropIndexes()
        {
            Par.mDesignIndex.reset();
            Par.mDefaultIndex.reset();
        }
    } dropIndexes{*this};
    mDesignIndex = std::make_unique<TFolderIndex>(mDesignDir);
    mDefaultIndex = std::make_unique<TFolderIndex>(DefaultDir());
    const QString ini = FindInDesign(QLatin1String(DesignIniName));
    if (!ini.isEmpty()) {
        mParams.LoadFromFile(ini);
        mPhotoCount = ReadBoundedNumber(QStringLiteral("PhotoCount"), mPhotoCount, 0, MaxPhotoCount);
        // Only an upper bound here: 0 or less means the ship picture's size,
        // and the play-field check in ComputeLayout names a cell too large.
        mBigShipWidth = ReadNumber(QStringLiteral("BigShipWidth"), mBigShipWidth);
        mBigShipHeight = ReadNumber(QStringLiteral("BigShipHeight"), mBigShipHeight);
        for (int i = 9; i < ImageCount; ++i)
            SetAnimationLoop(i, false);
        // Only shown and always computed again: a size larger than any
        // field can be counts as absent.
        auto fieldSide = [this](const QString &key, int32_t current) {
            const int32_t value = ReadNumber(key, current);
            return value <= MaxFieldSide ? value : current;
        };
        mClientWidth = fieldSide(QStringLiteral("ClientWidth"), mClientWidth);
        mClientHeight = fieldSide(QStringLiteral("ClientHeight"), mClientHeight);
    } else {
        mParams.SetValue(QStringLiteral("Version"), QStringLiteral("Banana"));
    }
    LoadImages();
    LoadPhotos();
}

// Only the headers are read here: a photo is decoded when a ship first
// shows it, so a design over its budget is refused before any is.
void TGamePar::LoadPhotos()
{
    mPhotos.assign(std::size_t(std::max(mPhotoCount, 0)), TPhoto());
    for (int k = 1; k <= mPhotoCount; ++k) {
        TPhoto &photo = mPhotos[std::size_t(k - 1)];
        photo.File = PhotoFile(QStringLiteral("Photo_%1").arg(k));
        // A missing or broken photo must not stop the game: ships that
        // draw it show the design's ship picture.
        photo.Size = BmpFileSize(photo.File);
        // Photos book slots of their own, apart from pictures 0..12.
        if (!photo.Size.isEmpty())
            mBudget.BookPixels(-k, qint64(photo.Size.width()) * photo.Size.height(), photo.File);
    }
}

QSize TGamePar::FieldSize() const
{
    return FieldSize(QSize(mBigShipWidth, mBigShipHeight));
}

QSize TGamePar::FieldSize(QSize shipCell) const
{
    const TLayout out = LayoutNumbers(shipCell);
    return {int(std::clamp<std::int64_t>(out.ClientWidth, 1, MaxFieldSide)),
            int(std::clamp<std::int64_t>(out.ClientHeight, 1, MaxFieldSide))};
}

TLayout TGamePar::LayoutNumbers() const
{
    return ComputeLayoutNumbers(LayoutInput());
}

TLayout TGamePar::LayoutNumbers(QSize shipCell) const
{
    TLayoutInput in = LayoutInput();
    in.BigShipWidth = shipCell.width();
    in.BigShipHeight = shipCell.height();
    return ComputeLayoutNumbers(in);
}

TPicture TGamePar::ShownPhoto(int k) const
{
    const TPhoto &photo = mPhotos[std::size_t(k - 1)];
    if (photo.Size.isEmpty())
        return {};
    std::shared_ptr<const TDeferredBitmap> shown = photo.Shown.lock();
    if (!shown) {
        shown = std::make_shared<const TDeferredBitmap>(photo.File, photo.Size, mPhotoField);
        photo.Shown = shown;
    }
    return TPicture::FromDeferred(std::move(shown));
}

void TGamePar::ComputeLayout()
{
    const TLayoutInput in = LayoutInput();
    const TLayout out = ComputeLayoutNumbers(in);
    if (!out.FitsField())
        throw EDesignError(QStringLiteral("The design \"%1\" cannot be used: %2 would make its "
                                          "play field %3 x %4 pixels, more than %5 pixels a side.")
                               .arg(mDesignName, FieldTooLargeCause(in, out))
                               .arg(out.ClientWidth)
                               .arg(out.ClientHeight)
                               .arg(MaxFieldSide));
    // Within the field every number fits 32 bits.
    mBigShipWidth = int32_t(out.BigShipWidth);
    mBigShipHeight = int32_t(out.BigShipHeight);
    mFormationTop = int32_t(out.FormationTop);
    mShipDistX = int32_t(out.ShipDistX);
    mShipDistY = int32_t(out.ShipDistY);
    mHomeTop = int32_t(out.HomeTop);
    mCanonTop = int32_t(out.CanonTop);
    mClientWidth = int32_t(out.ClientWidth);
    mClientHeight = int32_t(out.ClientHeight);
    mPhotoField = QSize(mClientWidth, mClientHeight);
}

TLayoutInput TGamePar::LayoutInput() const
{
    TLayoutInput in;
    in.ShipWidth = Image(6).Width();
    in.ShipHeight = Image(6).Height();
    in.CanonLeftHeight = Image(3).Height();
    in.CanonHeight = Image(2).Height();
    in.HomeHeight = Image(4).Height();
    in.BigShipWidth = mBigShipWidth;
    in.BigShipHeight = mBigShipHeight;
    in.ShipColumns = mShipColumns;
    in.ShipRows = mShipRows;
    in.FormationLeft = mFormationLeft;
    in.ShipRangeX = mShipRangeX;
    return in;
}

// Names the key or picture that makes the field too large, the way a
// damaged picture names its file.
QString TGamePar::FieldTooLargeCause(const TLayoutInput &in, const TLayout &out) const
{
    const QString ini = QLatin1String(DesignIniName);
    if (out.ClientWidth > MaxFieldSide) {
        return in.BigShipWidth > 0 ? QStringLiteral("BigShipWidth=%1 in %2").arg(in.BigShipWidth).arg(ini)
                                   : PictureCause(6);
    }
    // The largest part of the height is the one to blame.
    const std::int64_t cells = out.BigShipHeight * in.ShipRows;
    const std::int64_t parts[] = {cells, in.CanonLeftHeight, in.HomeHeight, in.CanonHeight};
    const int largest = int(std::max_element(std::begin(parts), std::end(parts)) - std::begin(parts));
    if (largest == 0) {
        return in.BigShipHeight > 0
                   ? QStringLiteral("BigShipHeight=%1 in %2").arg(in.BigShipHeight).arg(ini)
                   : PictureCause(6);
    }
    const int pictures[] = {6, 3, 4, 2};
    return PictureCause(pictures[largest]);
}

QString TGamePar::PictureCause(int i) const
{
    return QStringLiteral("the picture \"%1\" (%2 x %3 pixels)")
        .arg(QDir::toNativeSeparators(ImageFile(i)))
        .arg(Image(i).Width())
        .arg(Image(i).Height());
}

QString TGamePar::FindInDesign(const QString &name) const
{
    return mDesignIndex ? ExistingFileNoCase(*mDesignIndex, name) : ExistingFileNoCase(mDesignDir, name);
}

QString TGamePar::FindInDefault(const QString &name) const
{
    return mDefaultIndex ? ExistingFileNoCase(*mDefaultIndex, name) : ExistingFileNoCase(DefaultDir(), name);
}

QString TGamePar::ResolveInDefault(const QString &name) const
{
    return mDefaultIndex ? mDefaultIndex->Resolve(name) : ResolvePathNoCase(DefaultDir(), name);
}

QString TGamePar::PhotoFile(const QString &baseName) const
{
    const QString name = baseName + QStringLiteral(".bmp");
    return mDesignIndex ? mDesignIndex->Resolve(name) : ResolvePathNoCase(mDesignDir, name);
}

QString TGamePar::SoundFile(int n) const
{
    const QString own = FindInDesign(SoundName(n));
    return !own.isEmpty() ? own : ResolveInDefault(SoundName(n));
}

QString TGamePar::ImageFile(int i) const
{
    for (const QString &found : {FindInDesign(ImageGifName(i)), FindInDesign(ImageBmpName(i)),
                                 FindInDefault(ImageGifName(i))}) {
        if (!found.isEmpty())
            return found;
    }
    return ResolveInDefault(ImageBmpName(i));
}

void TGamePar::AssignImage(TSprite &sprite, int i) const
{
    if (i >= 0 && i < ImageCount) {
        sprite.Assign(Image(i));
        return;
    }
    if (i != -1)
        throw EDesignError(QStringLiteral("There is no design picture %1").arg(i));
    if (mPhotoCount <= 0) {
        sprite.Assign(Image(6));
        return;
    }
    const int k = mPhotoCount == 1 ? 1 : Random::LookBelow(mPhotoCount) + 1;
    if (std::size_t(k) <= mPhotos.size()) {
        const TPicture photo = ShownPhoto(k);
        if (photo.IsEmpty())
            sprite.Assign(Image(6));
        else
            sprite.AssignPicture(photo);
        return;
    }
    // PhotoCount raised since the load (the editor's list): read the file.
    try {
        sprite.AssignPicture(LoadPicture(PhotoFile(QStringLiteral("Photo_%1").arg(k))));
    } catch (...) {
        // A missing or broken photo must not stop the game: the ship simply
        // shows the design's ship picture.
        sprite.Assign(Image(6));
    }
}

int32_t TGamePar::GetAnimationDelay(int i) const
{
    return ReadNumber(QStringLiteral("AnimationDelay%1").arg(i), 0);
}

void TGamePar::SetAnimationDelay(int i, int32_t delay)
{
    mParams.SetValue(QStringLiteral("AnimationDelay%1").arg(i), QString::number(delay < 0 ? 0 : delay));
}

int32_t TGamePar::GetAnimationLoop(int i) const
{
    return ReadNumber(QStringLiteral("AnimationLoop%1").arg(i), 1);
}

void TGamePar::SetAnimationLoop(int i, bool loop)
{
    mParams.SetValue(QStringLiteral("AnimationLoop%1").arg(i), loop ? QStringLiteral("1") : QStringLiteral("0"));
}

void TGamePar::LoadImage(TSprite &sprite, int i)
{
    const QString file = ImageFile(i);
    mBudget.CheckPictureFile(i, file);
    TPicture picture = LoadPicture(file);
    mBudget.BookPicture(i, picture, file);
    // The background is drawn as it is; every other picture see-through.
    if (i != 0)
        picture.PrepareKeyed();
    sprite.SetPicture(std::move(picture));
    if (!sprite.IsAnimated())
        return;
    if (GetAnimationDelay(i) > MaxAnimationDelay)
        RefuseNumber(QStringLiteral("AnimationDelay%1").arg(i), 0, MaxAnimationDelay);
    sprite.SetAnimationDelay(GetAnimationDelay(i));
    // The game-over and title pictures must stop on their last frame: a
    // looping title would restart the attract sequence for ever.
    sprite.SetAnimationLoop(i < 9 && GetAnimationLoop(i) != 0);
}

void TGamePar::LoadImages()
{
    for (int i = 0; i < ImageCount; ++i)
        LoadImage(Image(i), i);
}

std::optional<QColor> TGamePar::BackgroundColor() const
{
    int value = 0;
    if (!ParseInt32(mParams.Value(QStringLiteral("BackgroundColor")), value))
        return std::nullopt;
    // Stored as 0x00BBGGRR.
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
