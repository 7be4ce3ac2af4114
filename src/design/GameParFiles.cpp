// Writing a design folder and reducing it to what differs from Default.
#include "design/GamePar.h"

#include "base/FileNames.h"
#include "base/FileWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

namespace {

void MakeFolder(const QString &dir)
{
    if (const int error = MakeFolderPath(dir))
        throw EDesignError(QStringLiteral("Cannot create folder %1: %2.")
                               .arg(QDir::toNativeSeparators(dir), WriteErrorText(error)));
}

// A still picture that is not a bitmap (a one-frame GIF) is drawn onto a
// white bitmap of its own size, so it keeps its see-through parts.
TPicture AsBitmap(const TPicture &picture)
{
    if (picture.IsBitmap())
        return picture;
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.Draw(painter, 0, 0, 0, true);
    painter.end();
    return TPicture::FromImage(image);
}

// Deletes `name` from `dir` when Default holds a file of the same bytes.
void RemoveIfSameAsDefault(const QString &dir, const QString &defaultDir, const QString &name)
{
    const QString own = ExistingFileNoCase(dir, name);
    const QString other = ExistingFileNoCase(defaultDir, name);
    if (!own.isEmpty() && !other.isEmpty() && SameFileContents(own, other))
        RemoveFileNoCase(dir, name);
}

bool SameFolder(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca == cb;
}

} // namespace

void TGamePar::SaveImage(const TSprite &sprite, int i)
{
    const TPicture &picture = sprite.Picture();
    if (picture.IsEmpty())
        throw EDesignError(QStringLiteral("Picture %1 of the design is empty").arg(i));
    MakeFolder(mDesignDir);
    if (sprite.IsAnimated()) {
        RemoveFileNoCase(mDesignDir, ImageBmpName(i));
        picture.SaveToFile(WritePathNoCase(mDesignDir, ImageGifName(i)));
        SetAnimationDelay(i, sprite.AnimationDelay());
        SetAnimationLoop(i, sprite.AnimationLoop());
    } else {
        AsBitmap(picture).SaveToFile(WritePathNoCase(mDesignDir, ImageBmpName(i)));
        RemoveFileNoCase(mDesignDir, ImageGifName(i));
    }
}

void TGamePar::SaveImages()
{
    for (int i = 0; i < ImageCount; ++i)
        SaveImage(Image(i), i);
}

void TGamePar::SaveParams()
{
    ComputeLayout();
    mParams.SetValue(QStringLiteral("PhotoCount"), QString::number(mPhotoCount));
    mParams.SetValue(QStringLiteral("BigShipWidth"), QString::number(mBigShipWidth));
    mParams.SetValue(QStringLiteral("BigShipHeight"), QString::number(mBigShipHeight));
    mParams.SetValue(QStringLiteral("ClientWidth"), QString::number(mClientWidth));
    mParams.SetValue(QStringLiteral("ClientHeight"), QString::number(mClientHeight));
    mParams.SetValue(QStringLiteral("Version"), QStringLiteral("Banana"));
    MakeFolder(mDesignDir);
    const QString path = WritePathNoCase(mDesignDir, QLatin1String(DesignIniName));
    mParams.SaveToFile(path, TKeyValueList::LineEnd::CrLf);
}

void TGamePar::RemoveRedundantFiles()
{
    const QString defaultDir = DefaultDir();
    // Default is the source every other design borrows from: never reduce it.
    if (IsDefault() || SameFolder(mDesignDir, defaultDir))
        return;
    if (!mParams.Value(QStringLiteral("BackgroundColor")).isEmpty()) {
        RemoveFileNoCase(mDesignDir, ImageBmpName(0));
        RemoveFileNoCase(mDesignDir, ImageGifName(0));
    }
    RemoveRedundantImages(defaultDir);
    for (int n = 1; n <= SoundCount; ++n)
        RemoveIfSameAsDefault(mDesignDir, defaultDir, SoundName(n));
    RemoveStalePhotos();
}

void TGamePar::RemoveRedundantImages(const QString &defaultDir)
{
    for (int i = 0; i < ImageCount; ++i) {
        if (!ExistingFileNoCase(mDesignDir, ImageBmpName(i)).isEmpty()
            && !ExistingFileNoCase(mDesignDir, ImageGifName(i)).isEmpty())
            RemoveFileNoCase(mDesignDir, ImageBmpName(i));
        RemoveIfSameAsDefault(mDesignDir, defaultDir, ImageBmpName(i));
        RemoveIfSameAsDefault(mDesignDir, defaultDir, ImageGifName(i));
    }
}

void TGamePar::RemoveStalePhotos()
{
    QStringList photos;
    ListFiles(mDesignDir + QStringLiteral("Photo_*.bmp"), photos);
    for (int k = 1; k <= mPhotoCount; ++k) {
        photos.removeIf([k](const QString &name) {
            return name.compare(PhotoName(k), Qt::CaseInsensitive) == 0;
        });
    }
    for (const QString &name : photos)
        RemoveFileNoCase(mDesignDir, name);
}
