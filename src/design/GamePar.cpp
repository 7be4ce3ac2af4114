#include "design/GamePar.h"

#include "base/FileNames.h"
#include "base/Random.h"
#include "design/DesignLayout.h"
#include "sprites/PictureReader.h"

#include <QFileInfo>

TGamePar::TGamePar(QString rootDir)
    : mRootDir(WithTrailingSlash(rootDir)), mImages(std::make_unique<TSpriteList>())
{
    for (int i = 0; i < ImageCount; ++i)
        mImages->AddNew();
    SetDefaults();
}

void TGamePar::SetRootDir(const QString &rootDir)
{
    mRootDir = WithTrailingSlash(rootDir);
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

void TGamePar::Load(const QString &name)
{
    mDesignName = name.isEmpty() ? QStringLiteral("Default") : name;
    mDesignDir = WithTrailingSlash(ResolvePathNoCase(mRootDir, mDesignName));
    if (!QFileInfo(mDesignDir).isDir()) {
        mDesignName = QStringLiteral("Default");
        mDesignDir = DefaultDir();
    }
    SetDefaults();
    // Nothing of the previously loaded design may leak into this one: its
    // colour, texts and cell sizes would otherwise stay when a key is absent.
    mBigShipWidth = mBigShipHeight = mClientWidth = mClientHeight = 0;
    mParams.Clear();
    const QString ini = ExistingFileNoCase(mDesignDir, QLatin1String(DesignIniName));
    if (!ini.isEmpty()) {
        mParams.LoadFromFile(ini);
        mPhotoCount = ReadNumber(QStringLiteral("PhotoCount"), mPhotoCount);
        mBigShipWidth = ReadNumber(QStringLiteral("BigShipWidth"), mBigShipWidth);
        mBigShipHeight = ReadNumber(QStringLiteral("BigShipHeight"), mBigShipHeight);
        for (int i = 9; i < ImageCount; ++i)
            SetAnimationLoop(i, false);
        mClientWidth = ReadNumber(QStringLiteral("ClientWidth"), mClientWidth);
        mClientHeight = ReadNumber(QStringLiteral("ClientHeight"), mClientHeight);
    } else {
        mParams.SetValue(QStringLiteral("Version"), QStringLiteral("Banana"));
    }
    LoadImages();
}

void TGamePar::ComputeLayout()
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
    const TLayout out = ComputeLayoutNumbers(in);
    mBigShipWidth = out.BigShipWidth;
    mBigShipHeight = out.BigShipHeight;
    mFormationTop = out.FormationTop;
    mShipDistX = out.ShipDistX;
    mShipDistY = out.ShipDistY;
    mHomeTop = out.HomeTop;
    mCanonTop = out.CanonTop;
    mClientWidth = out.ClientWidth;
    mClientHeight = out.ClientHeight;
}

QString TGamePar::PhotoFile(const QString &baseName) const
{
    return ResolvePathNoCase(mDesignDir, baseName + QStringLiteral(".bmp"));
}

QString TGamePar::SoundFile(int n) const
{
    const QString own = ExistingFileNoCase(mDesignDir, SoundName(n));
    return !own.isEmpty() ? own : ResolvePathNoCase(DefaultDir(), SoundName(n));
}

QString TGamePar::ImageFile(int i) const
{
    const QString defaultDir = DefaultDir();
    for (const QString &found : {ExistingFileNoCase(mDesignDir, ImageGifName(i)),
                                 ExistingFileNoCase(mDesignDir, ImageBmpName(i)),
                                 ExistingFileNoCase(defaultDir, ImageGifName(i))}) {
        if (!found.isEmpty())
            return found;
    }
    return ResolvePathNoCase(defaultDir, ImageBmpName(i));
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
    const int k = mPhotoCount == 1 ? 1 : Random::Below(mPhotoCount) + 1;
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
    sprite.SetPicture(LoadPicture(ImageFile(i)));
    if (!sprite.IsAnimated())
        return;
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
