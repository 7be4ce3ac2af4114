#include "design/DesignBudget.h"

#include "design/DesignFolder.h"
#include "sprites/BmpHeader.h"
#include "sprites/Picture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

void TDesignBudget::Reset(const QString &designName)
{
    mDesignName = designName;
    mPixels.clear();
    mSoundBytes.clear();
    mPixelTotal = mSoundTotal = 0;
}

qint64 TDesignBudget::DeclaredPixels(const QString &path)
{
    const QFileInfo info(path);
    // Only regular files: a FIFO would block the read.
    if (!info.isFile())
        return 0;
    const QByteArray format = info.suffix().toLower().toLatin1();
    if (format == "gif") {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? TGifImage::DeclaredPixels(file.read(TGifImage::MaxFileBytes)) : 0;
    }
    if (format == "bmp") {
        // The headers alone: much cheaper than opening an image reader. A
        // size the picture reader refuses anyway is left for it to name.
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const auto header = TBmpHeader::Parse(file.read(TBmpHeader::BytesNeeded));
            if (header && header->Width > 0) {
                const bool refused = TGifImage::IsAbsurdSize(header->Width, header->Height);
                return refused ? 0 : header->Width * header->Height;
            }
        }
    }
    QImageReader reader(path, format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    return size.isValid() ? qint64(size.width()) * size.height() : 0;
}

qint64 TDesignBudget::PixelsOf(const TPicture &picture)
{
    if (const TGifImage *gif = picture.Gif()) {
        qint64 pixels = 0;
        for (int f = 0; f < gif->FrameCount(); ++f)
            pixels += qint64(gif->DrawnFrame(f).Size.width()) * gif->DrawnFrame(f).Size.height();
        return pixels;
    }
    return qint64(picture.Width()) * picture.Height();
}

void TDesignBudget::CheckPictureFile(int slot, const QString &path) const
{
    CheckPixels(slot, DeclaredPixels(path), path);
}

void TDesignBudget::CheckPixels(int slot, qint64 pixels, const QString &path) const
{
    if (PixelsBesides(slot) + pixels > MaxPixels)
        RefusePixels(path);
}

void TDesignBudget::BookPicture(int slot, const TPicture &picture, const QString &path)
{
    BookPixels(slot, PixelsOf(picture), path);
}

void TDesignBudget::BookPixels(int slot, qint64 pixels, const QString &path)
{
    CheckPixels(slot, pixels, path);
    Book(mPixels, mPixelTotal, slot, pixels);
}

void TDesignBudget::BookSound(int cue, qint64 bytes, const QString &path)
{
    qint64 others = SoundBytes();
    if (const auto it = mSoundBytes.find(cue); it != mSoundBytes.end())
        others -= it->second;
    if (others + bytes > MaxSoundBytes)
        throw EDesignError(
            QStringLiteral("The design \"%1\" cannot be used: with \"%2\" its sounds would "
                           "take more than %3 MB in all.")
                .arg(mDesignName, QDir::toNativeSeparators(path))
                .arg(MaxSoundBytes / (1024 * 1024)));
    Book(mSoundBytes, mSoundTotal, cue, bytes);
}

void TDesignBudget::Book(std::map<int, qint64> &booked, qint64 &total, int key, qint64 amount)
{
    qint64 &held = booked[key];
    total += amount - held;
    held = amount;
}

qint64 TDesignBudget::PixelsBesides(int slot) const
{
    const auto it = mPixels.find(slot);
    return Pixels() - (it != mPixels.end() ? it->second : 0);
}

void TDesignBudget::RefusePixels(const QString &path) const
{
    throw EDesignError(
        QStringLiteral("The design \"%1\" cannot be used: with \"%2\" its pictures and photos "
                       "would take more than %3 M pixels in all.")
            .arg(mDesignName, QDir::toNativeSeparators(path))
            .arg(MaxPixels / (1024 * 1024)));
}
