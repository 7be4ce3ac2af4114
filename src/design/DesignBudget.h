#pragma once

#include <QString>

#include <map>

class TPicture;

// What one design may hold once loaded: the decoded pixels of its
// pictures (every frame) and photos, and its sounds as converted for
// playing. Each picture is capped on its own; this caps the design whole,
// so a few small files cannot take gigabytes between them.
class TDesignBudget
{
public:
    static constexpr qint64 MaxPixels = 64LL * 1024 * 1024;
    static constexpr qint64 MaxSoundBytes = 64LL * 1024 * 1024;
    // The most a design's files can take that loading would still accept:
    // every pixel as a 32-bit bitmap, every sound as a 16-bit wave (twice
    // the bytes it takes playing at the same rate).
    static constexpr qint64 MaxFileBytes = MaxPixels * 4 + MaxSoundBytes * 2;

    explicit TDesignBudget(QString designName = {}) : mDesignName(std::move(designName)) {}
    void Reset(const QString &designName);

    // Before decoding: refuses a file whose headers declare more pixels
    // than the design has left besides what `slot` holds now. A slot is
    // any number the caller gives one picture.
    void CheckPictureFile(int slot, const QString &path) const;
    // The same for a count of pixels read from `path`'s headers elsewhere.
    void CheckPixels(int slot, qint64 pixels, const QString &path) const;
    // After decoding: `slot` now holds this picture.
    void BookPicture(int slot, const TPicture &picture, const QString &path);
    // `slot` holds `pixels` read from `path`'s headers; refused like CheckPixels.
    void BookPixels(int slot, qint64 pixels, const QString &path);
    void BookSound(int cue, qint64 bytes, const QString &path);

    qint64 Pixels() const { return mPixelTotal; }
    qint64 SoundBytes() const { return mSoundTotal; }

    // The pixels a picture file declares in its headers (all frames of a
    // GIF), read without decoding; 0 when the file does not tell.
    static qint64 DeclaredPixels(const QString &path);
    static qint64 PixelsOf(const TPicture &picture);

private:
    // Books `amount` for `key`, replacing what it held, and keeps `total`.
    static void Book(std::map<int, qint64> &booked, qint64 &total, int key, qint64 amount);
    qint64 PixelsBesides(int slot) const;
    [[noreturn]] void RefusePixels(const QString &path) const;

    QString mDesignName;
    std::map<int, qint64> mPixels;
    std::map<int, qint64> mSoundBytes;
    // Kept as they go: a design with a thousand photos books a thousand times.
    qint64 mPixelTotal = 0;
    qint64 mSoundTotal = 0;
};
