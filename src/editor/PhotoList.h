#pragma once

#include "sprites/Picture.h"

#include <QHash>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

class TGamePar;
class TKeyValueList;

// The photos that become the ships: one full file path per entry, in the
// order they are numbered when saved, and the name each photo came with
// (beach.jpg), which the list shows and the design keeps as PhotoName<k>.
class TPhotoList
{
public:
    static constexpr int MinSize = 3;
    static constexpr int MaxSize = 200;
    static constexpr int DefaultSize = 100;

    explicit TPhotoList(bool &modified) : mModified(modified) {}

    const QStringList &Entries() const { return mEntries; }
    // The shown name of each entry, in the same order.
    const QStringList &Names() const { return mNames; }
    // Names missing at the end are taken from the files' names.
    void SetEntries(QStringList entries, QStringList names = {});
    // The photos in a new order given by their paths; the names go along.
    void Reorder(const QStringList &order);
    // The design's Photo_1.bmp .. Photo_<PhotoCount>.bmp, whether they
    // exist or not, with the names the design keeps for them.
    void Fill(const TGamePar &design);

    // The key of photo k's name in the design's key list; a reader that
    // does not know it passes over it.
    static QString NameKey(int k);
    // A name fit to show and to store on one line.
    static QString CleanName(const QString &name);

    // A path already listed (in any letter case) changes nothing and gives
    // `currentIndex`; otherwise it is appended, named after its file, and
    // its index returned.
    int AddPhoto(const QString &path, int currentIndex);
    // Removes the entries at these indices; false when there was none.
    bool Remove(const QList<int> &selected);

    // The photo size field when it is left: anything but a number from 3
    // to 200 becomes "100".
    static QString CheckedSizeText(const QString &text);
    // The size the field stands for: its number, 100 when it is none.
    static int SizeOf(const QString &text);
    // The preview of a photo at that size; empty when it cannot be read.
    static TPicture Preview(const QString &path, int size);

    // Writes every photo, reduced to `size`, as Photo_<k>.bmp into the
    // design's folder (pixels only) and sets PhotoCount, the photos' names
    // and the ship cell (never below the ship picture). A photo that cannot
    // be read raises the reader's error.
    void SavePhotos(TGamePar &design, int size) const;
    // The ship cell SavePhotos will set, from the photos' headers: photos
    // that cannot be read count for nothing.
    QSize ShipCell(const TGamePar &design, int size) const;

private:
    static void RemoveNamesBeyond(TKeyValueList &params, int count);
    // The size a photo file is read at; empty when it cannot be read.
    QSize PhotoSize(const QString &path) const;

    bool &mModified;
    QStringList mEntries;
    QStringList mNames;
    // By path, modification time and length: a save renumbers the photos.
    mutable QHash<QString, QSize> mSizes;
};
