#include "editor/PhotoList.h"

#include "design/DesignFolder.h"
#include "design/GamePar.h"
#include "editor/PictureFit.h"
#include "sprites/PictureReader.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

void TPhotoList::Fill(const TGamePar &design)
{
    mEntries.clear();
    for (int k = 1; k <= design.PhotoCount(); ++k)
        mEntries.append(design.PhotoFile(QStringLiteral("Photo_%1").arg(k)));
}

int TPhotoList::AddPhoto(const QString &path, int currentIndex)
{
    if (mEntries.contains(path, Qt::CaseInsensitive))
        return currentIndex;
    mEntries.append(path);
    mModified = true;
    return int(mEntries.size()) - 1;
}

bool TPhotoList::Remove(const QList<int> &selected)
{
    QList<int> rows = selected;
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    bool removed = false;
    for (int row : rows) {
        if (row >= 0 && row < mEntries.size()) {
            mEntries.removeAt(row);
            removed = true;
        }
    }
    if (removed)
        mModified = true;
    return removed;
}

QString TPhotoList::CheckedSizeText(const QString &text)
{
    bool ok = false;
    const int size = text.toInt(&ok);
    return ok && size >= MinSize && size <= MaxSize ? text : QString::number(DefaultSize);
}

int TPhotoList::SizeOf(const QString &text)
{
    bool ok = false;
    const int size = text.toInt(&ok);
    return ok && size > 0 ? size : DefaultSize;
}

TPicture TPhotoList::Preview(const QString &path, int size)
{
    try {
        TPicture picture = LoadPicture(path);
        ShrinkImage(picture, size);
        return picture;
    } catch (const std::exception &) {
        // The list may name photos that are gone: the preview stays empty.
        return {};
    }
}

void TPhotoList::SavePhotos(TGamePar &design, int size) const
{
    TSprite ship;
    design.AssignImage(ship, 6);
    int width = ship.Width(), height = ship.Height();
    for (int i = 0; i < mEntries.size(); ++i) {
        // Read before the slot is written: the entry may be the very file
        // it replaces.
        const QImage photo = FitBitmap(size, StillBitmap(LoadPicture(mEntries.at(i))));
        width = std::max(width, photo.width());
        height = std::max(height, photo.height());
        TPicture::FromImage(photo).SaveToFile(WritePathNoCase(design.DesignDir(), PhotoName(i + 1)));
    }
    design.SetBigShipWidth(width);
    design.SetBigShipHeight(height);
    design.SetPhotoCount(int(mEntries.size()));
}

QSize TPhotoList::ShipCell(const TGamePar &design, int size) const
{
    const TSprite &ship = design.Image(6);
    QSize cell(ship.Width(), ship.Height());
    for (const QString &entry : mEntries)
        cell = cell.expandedTo(FitBitmapSize(size, PhotoSize(entry)));
    return cell;
}

QSize TPhotoList::PhotoSize(const QString &path) const
{
    const QFileInfo info(path);
    const QString key = QStringLiteral("%1|%2|%3")
                            .arg(path)
                            .arg(info.lastModified().toMSecsSinceEpoch())
                            .arg(info.size());
    const auto known = mSizes.constFind(key);
    if (known != mSizes.constEnd())
        return *known;
    QSize size = QImageReader(path).size();
    if (!size.isValid())
        size = Preview(path, TGifImage::MaxSide).Size();
    mSizes.insert(key, size);
    return size;
}
