#include "editor/PhotoList.h"

#include "base/KeyValueList.h"
#include "design/DesignFolder.h"
#include "design/GamePar.h"
#include "editor/PictureFit.h"
#include "sprites/ExifOrientation.h"
#include "sprites/PictureReader.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

namespace {

// Longer names only widen the list; no file system gives more.
constexpr int MaxNameLength = 255;

// The size a photo shows at, from its headers: a phone's portrait photo is
// stored on its side and says so in its EXIF data.
QSize UprightHeaderSize(const QString &path)
{
    QImageReader reader(path);
    QSize size = reader.size();
    const QByteArray format = reader.format();
    bool turned = false;
    if (format == "png" || format == "webp") {
        QFile file(path);
        turned = file.open(QIODevice::ReadOnly)
                 && ExifOrientation::SwapsSides(ExifOrientation::FromChunks(file, format));
    } else {
        turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    }
    if (turned)
        size.transpose();
    return size;
}

} // namespace

QString TPhotoList::NameKey(int k)
{
    return QStringLiteral("PhotoName%1").arg(k);
}

QString TPhotoList::CleanName(const QString &name)
{
    QString clean = name.left(MaxNameLength);
    for (QChar &c : clean)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
            || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return clean.trimmed();
}

void TPhotoList::RemoveNamesBeyond(TKeyValueList &params, int count)
{
    // Names of photos no longer there would be shown for the next ones added.
    const QString prefix = QStringLiteral("PhotoName");
    params.Lines().removeIf([&](const QString &line) {
        const QString key = TKeyValueList::KeyOf(line);
        if (!key.startsWith(prefix, Qt::CaseInsensitive))
            return false;
        bool ok = false;
        const int k = key.mid(prefix.size()).toInt(&ok);
        return ok && k > count;
    });
}

void TPhotoList::SetEntries(QStringList entries, QStringList names)
{
    mEntries = std::move(entries);
    names = names.mid(0, mEntries.size());
    for (qsizetype i = names.size(); i < mEntries.size(); ++i)
        names.append(QFileInfo(mEntries.at(i)).fileName());
    mNames = std::move(names);
}

void TPhotoList::Reorder(const QStringList &order)
{
    QStringList names;
    for (const QString &path : order) {
        const qsizetype at = mEntries.indexOf(path);
        names.append(at >= 0 ? mNames.value(at) : QFileInfo(path).fileName());
    }
    SetEntries(order, names);
}

void TPhotoList::Fill(const TGamePar &design)
{
    QStringList entries, names;
    for (int k = 1; k <= design.PhotoCount(); ++k) {
        entries.append(design.PhotoFile(QStringLiteral("Photo_%1").arg(k)));
        const QString kept = CleanName(design.Params().Value(NameKey(k)));
        names.append(kept.isEmpty() ? PhotoName(k) : kept);
    }
    SetEntries(entries, names);
}

int TPhotoList::AddPhoto(const QString &path, int currentIndex)
{
    if (mEntries.contains(path, Qt::CaseInsensitive))
        return currentIndex;
    mEntries.append(path);
    mNames.append(CleanName(QFileInfo(path).fileName()));
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
            mNames.removeAt(row);
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
        design.Params().SetValue(NameKey(i + 1), CleanName(mNames.value(i)));
    }
    RemoveNamesBeyond(design.Params(), int(mEntries.size()));
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
    QSize size = UprightHeaderSize(path);
    if (!size.isValid())
        size = Preview(path, TGifImage::MaxSide).Size();
    mSizes.insert(key, size);
    return size;
}
