#include "editor/DesignSaver.h"

#include "base/FileWriter.h"
#include "design/GamePar.h"
#include "design/StagedFolder.h"
#include "editor/PhotoList.h"
#include "editor/SoundFiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

// What a failed save must put back in the design object.
struct TDesignState
{
    QString Name, Dir;
    QStringList Params;
    int32_t PhotoCount, BigShipWidth, BigShipHeight, ClientWidth, ClientHeight;

    explicit TDesignState(const TGamePar &d)
        : Name(d.DesignName()), Dir(d.DesignDir()), Params(d.Params().Lines()),
          PhotoCount(d.PhotoCount()), BigShipWidth(d.BigShipWidth()), BigShipHeight(d.BigShipHeight()),
          ClientWidth(d.ClientWidth()), ClientHeight(d.ClientHeight()) {}

    void RestoreTo(TGamePar &d) const
    {
        d.SetDesignName(Name);
        d.SetDesignDir(Dir);
        d.Params().Lines() = Params;
        d.SetPhotoCount(PhotoCount);
        d.SetBigShipWidth(BigShipWidth);
        d.SetBigShipHeight(BigShipHeight);
        d.SetClientWidth(ClientWidth);
        d.SetClientHeight(ClientHeight);
    }
};

} // namespace

void TDesignSaver::Save(const QString &name, bool inPlace, int photoSize)
{
    const TDesignState before(mDesign);
    try {
        TStagedFolder stage(mDesign.RootDir(), name, inPlace ? mDesign.DesignDir() : QString());
        // The name counts already: the reduction never touches Default.
        mDesign.SetDesignName(QFileInfo(QDir::cleanPath(stage.TargetDir())).fileName());
        mDesign.SetDesignDir(stage.Dir());
        WriteAll(photoSize);
        stage.Commit();
        mDesign.SetDesignDir(stage.TargetDir());
    } catch (const EWriteError &e) {
        before.RestoreTo(mDesign);
        // Named by the file and the design root: the hidden folder the
        // file was bound for would only puzzle a player.
        const QString why = e.Code() == 0 ? QString::fromUtf8(e.what())
                                          : QStringLiteral("%1 could not be written in %2: %3.")
                                                .arg(QFileInfo(e.Path()).fileName(),
                                                     QDir::toNativeSeparators(mDesign.RootDir()),
                                                     WriteErrorText(e.Code()));
        throw EDesignError(QStringLiteral("The design \"%1\" was not saved and stays as it was. %2").arg(name, why));
    } catch (...) {
        before.RestoreTo(mDesign);
        throw;
    }
    QStringList entries;
    for (int k = 1; k <= mDesign.PhotoCount(); ++k)
        entries.append(mDesign.PhotoFile(QStringLiteral("Photo_%1").arg(k)));
    mPhotos.SetEntries(entries, mPhotos.Names());
}

void TDesignSaver::WriteAll(int photoSize)
{
    mDesign.SaveImages();
    mPhotos.SavePhotos(mDesign, photoSize);
    mSounds.SaveSounds(mDesign.DesignDir());
    mDesign.SaveParams();
    mDesign.RemoveRedundantFiles();
}
