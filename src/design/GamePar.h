#pragma once

#include "base/FolderIndex.h"
#include "base/KeyValueList.h"
#include "design/DesignBudget.h"
#include "design/DesignFolder.h"
#include "design/DesignRoots.h"
#include "sprites/SpriteList.h"

#include <QColor>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class TDeferredBitmap;
struct TLayout;
struct TLayoutInput;

// One loaded design: its name and folder, its key list, its thirteen
// pictures as ready sprites (never shown; game sprites copy from them) and
// the numbers that lay out the play field.
class TGamePar
{
public:
    static constexpr int ImageCount = 13;
    static constexpr int SoundCount = 7;
    // Far beyond what the editor's photo list is made for.
    static constexpr int32_t MaxPhotoCount = 1000;
    // An hour of ticks for one animation frame.
    static constexpr int32_t MaxAnimationDelay = 36000;

    // `roots` are the folders holding the design folders.
    explicit TGamePar(TDesignRoots roots = TDesignRoots::Standard());
    TGamePar(const TGamePar &) = delete;
    TGamePar &operator=(const TGamePar &) = delete;

    const TDesignRoots &Roots() const { return mRoots; }
    // Where this design is saved: the player's root.
    const QString &RootDir() const { return mRoots.Player(); }
    QString DefaultDir() const { return mRoots.DefaultDir(); }

    TKeyValueList &Params() { return mParams; }
    const TKeyValueList &Params() const { return mParams; }
    TSpriteList &Images() { return *mImages; }
    const TSpriteList &Images() const { return *mImages; }
    TSprite &Image(int i) const { return *mImages->Items(i); }

    const QString &DesignDir() const { return mDesignDir; }
    void SetDesignDir(const QString &dir) { mDesignDir = dir; }
    const QString &DesignName() const { return mDesignName; }
    void SetDesignName(const QString &name) { mDesignName = name; }

    int32_t FormationLeft() const { return mFormationLeft; }
    void SetFormationLeft(int32_t v) { mFormationLeft = v; }
    int32_t ShipDistX() const { return mShipDistX; }
    void SetShipDistX(int32_t v) { mShipDistX = v; }
    int32_t FormationTop() const { return mFormationTop; }
    void SetFormationTop(int32_t v) { mFormationTop = v; }
    int32_t ShipDistY() const { return mShipDistY; }
    void SetShipDistY(int32_t v) { mShipDistY = v; }
    int32_t BigShipHeight() const { return mBigShipHeight; }
    void SetBigShipHeight(int32_t v) { mBigShipHeight = v; }
    int32_t BigShipWidth() const { return mBigShipWidth; }
    void SetBigShipWidth(int32_t v) { mBigShipWidth = v; }
    int32_t ShipColumns() const { return mShipColumns; }
    void SetShipColumns(int32_t v) { mShipColumns = v; }
    int32_t ShipRows() const { return mShipRows; }
    void SetShipRows(int32_t v) { mShipRows = v; }
    int32_t ShipStepX() const { return mShipStepX; }
    void SetShipStepX(int32_t v) { mShipStepX = v; }
    int32_t ShipRangeX() const { return mShipRangeX; }
    void SetShipRangeX(int32_t v) { mShipRangeX = v; }
    int32_t HomeTop() const { return mHomeTop; }
    void SetHomeTop(int32_t v) { mHomeTop = v; }
    int32_t HomeLeft() const { return mHomeLeft; }
    void SetHomeLeft(int32_t v) { mHomeLeft = v; }
    int32_t HomeDistX() const { return mHomeDistX; }
    void SetHomeDistX(int32_t v) { mHomeDistX = v; }
    int32_t HomeCount() const { return mHomeCount; }
    void SetHomeCount(int32_t v) { mHomeCount = v; }
    int32_t CanonStartLeft() const { return mCanonStartLeft; }
    void SetCanonStartLeft(int32_t v) { mCanonStartLeft = v; }
    int32_t CanonTop() const { return mCanonTop; }
    void SetCanonTop(int32_t v) { mCanonTop = v; }
    int32_t BombCount() const { return mBombCount; }
    void SetBombCount(int32_t v) { mBombCount = v; }
    int32_t BombChance() const { return mBombChance; }
    void SetBombChance(int32_t v) { mBombChance = v; }
    int32_t BombStep() const { return mBombStep; }
    void SetBombStep(int32_t v) { mBombStep = v; }
    int32_t LivesTop() const { return mLivesTop; }
    void SetLivesTop(int32_t v) { mLivesTop = v; }
    int32_t LivesLeft() const { return mLivesLeft; }
    void SetLivesLeft(int32_t v) { mLivesLeft = v; }
    int32_t LivesDistX() const { return mLivesDistX; }
    void SetLivesDistX(int32_t v) { mLivesDistX = v; }
    int32_t CanonStep() const { return mCanonStep; }
    void SetCanonStep(int32_t v) { mCanonStep = v; }
    int32_t RocketCount() const { return mRocketCount; }
    void SetRocketCount(int32_t v) { mRocketCount = v; }
    int32_t RocketReload() const { return mRocketReload; }
    void SetRocketReload(int32_t v) { mRocketReload = v; }
    int32_t RocketStep() const { return mRocketStep; }
    void SetRocketStep(int32_t v) { mRocketStep = v; }
    int32_t ClientWidth() const { return mClientWidth; }
    void SetClientWidth(int32_t v) { mClientWidth = v; }
    int32_t ClientHeight() const { return mClientHeight; }
    void SetClientHeight(int32_t v) { mClientHeight = v; }
    int32_t PhotoCount() const { return mPhotoCount; }
    void SetPhotoCount(int32_t v) { mPhotoCount = v; }
    int32_t BonusScore() const { return mBonusScore; }
    void SetBonusScore(int32_t v) { mBonusScore = v; }

    // Every number back to its default, except the ones a design's key list
    // supplies (BigShip*, Client*) and CanonStartLeft; Version = "Banana".
    void SetDefaults();
    bool IsDefault() const { return IsDefaultDesignName(mDesignName); }
    // Loads design `name` (empty: Default; a missing folder: Default). A
    // picture that cannot be read raises EPictureError naming its file; a
    // number out of its range, or pictures and photos beyond the design's
    // budget, raise EDesignError naming the key or file.
    void Load(const QString &name);
    // Raises EDesignError naming the key or picture that would make the
    // play field larger than MaxFieldSide on a side; nothing changes then.
    void ComputeLayout();
    // The play field the pictures and numbers make as they are now, each
    // side at most MaxFieldSide; nothing is stored.
    QSize FieldSize() const;
    // The same with `shipCell` as the largest ship (BigShipWidth, BigShipHeight).
    QSize FieldSize(QSize shipCell) const;
    // The layout ComputeLayout would set, changing nothing.
    TLayout LayoutNumbers() const;
    TLayout LayoutNumbers(QSize shipCell) const;

    QString PhotoFile(const QString &baseName) const;
    QString SoundFile(int n) const;
    QString ImageFile(int i) const;
    // Gives `sprite` picture i (0..12), or for -1 a random photo of the
    // design, falling back to picture 6 when there is none or it fails.
    void AssignImage(TSprite &sprite, int i) const;

    int32_t GetAnimationDelay(int i) const;
    void SetAnimationDelay(int i, int32_t delay);
    int32_t GetAnimationLoop(int i) const;
    void SetAnimationLoop(int i, bool loop);

    void LoadImage(TSprite &sprite, int i);
    void LoadImages();
    void SaveImage(const TSprite &sprite, int i);
    void SaveImages();
    void SaveParams();
    void RemoveRedundantFiles();

    // The BackgroundColor key as a colour; none when it is empty or not a
    // number (then picture 0 is the background).
    std::optional<QColor> BackgroundColor() const;

private:
    int32_t ReadNumber(const QString &key, int32_t fallback) const;
    int32_t ReadBoundedNumber(const QString &key, int32_t fallback, int32_t min, int32_t max) const;
    [[noreturn]] void RefuseNumber(const QString &key, int32_t min, int32_t max) const;
    TLayoutInput LayoutInput() const;
    QString FieldTooLargeCause(const TLayoutInput &in, const TLayout &out) const;
    QString PictureCause(int i) const;
    void LoadPhotos();
    TPicture ShownPhoto(int k) const;
    QString FindInDesign(const QString &name) const;
    QString FindInDefault(const QString &name) const;
    QString ResolveInDefault(const QString &name) const;
    void RemoveRedundantImages(const QString &defaultDir);
    void RemoveStalePhotos();

    TDesignRoots mRoots;
    TKeyValueList mParams;
    QString mDesignDir;
    QString mDesignName;
    int32_t mFormationLeft = 0;
    int32_t mShipDistX = 0;
    int32_t mFormationTop = 0;
    int32_t mShipDistY = 0;
    int32_t mBigShipHeight = 0;
    int32_t mBigShipWidth = 0;
    int32_t mShipColumns = 0;
    int32_t mShipRows = 0;
    int32_t mShipStepX = 0;
    int32_t mShipRangeX = 0;
    int32_t mHomeTop = 0;
    int32_t mHomeLeft = 0;
    int32_t mHomeDistX = 0;
    int32_t mHomeCount = 0;
    int32_t mCanonStartLeft = 0;
    int32_t mCanonTop = 0;
    int32_t mBombCount = 0;
    int32_t mBombChance = 0;
    int32_t mBombStep = 0;
    int32_t mLivesTop = 0;
    int32_t mLivesLeft = 0;
    int32_t mLivesDistX = 0;
    int32_t mCanonStep = 0;
    int32_t mRocketCount = 0;
    int32_t mRocketReload = 0;
    int32_t mRocketStep = 0;
    int32_t mClientWidth = 0;
    int32_t mClientHeight = 0;
    int32_t mPhotoCount = 0;
    int32_t mBonusScore = 0;
    std::unique_ptr<TSpriteList> mImages;
    // Photo k at index k - 1: its file and the size its headers declare
    // (empty where it cannot be read), and its pixels while any ship holds
    // them, shared by every ship that shows it.
    struct TPhoto
    {
        QString File;
        QSize Size;
        mutable std::weak_ptr<const TDeferredBitmap> Shown;
    };
    std::vector<TPhoto> mPhotos;
    // The field the layout made: ships stand inside it, so no more of a
    // photo is ever seen. Invalid (keep it all) until ComputeLayout.
    QSize mPhotoField;
    TDesignBudget mBudget;
    // The design's and Default's folders, each listed once per Load for
    // the lookups of that load; empty otherwise, as the editor changes
    // the folders between loads.
    std::unique_ptr<TFolderIndex> mDesignIndex;
    std::unique_ptr<TFolderIndex> mDefaultIndex;
};
