#pragma once

#include "design/DesignPreviewMaker.h"

#include <QString>

#include <optional>

// Design previews kept on disk, so that a gallery opened again shows them
// without reading any design: one PNG per design folder, carrying the key
// of the files it was drawn from. A design whose files change has a new
// key, so its old preview is not used but replaced; the cache never holds
// more than one preview per design.
class TPreviewCache
{
public:
    // `dir` need not exist yet.
    explicit TPreviewCache(QString dir);

    // The folder under the user's cache folder ($XDG_CACHE_HOME).
    static QString StandardDir();
    // Stands for the names, sizes and change times of the files in the
    // design's folder and in Default's, whose files a design borrows.
    static QString Key(const QString &designDir, const QString &defaultDir);

    const QString &Dir() const { return mDir; }
    // The preview of the design in `designDir` drawn from files with this
    // key; none when there is none or it was drawn from other files.
    std::optional<TDesignPreview> Find(const QString &designDir, const QString &key) const;
    // Raises EWriteError naming the file when it cannot be written; the
    // folder then holds what it held before.
    void Store(const QString &designDir, const QString &key, const TDesignPreview &preview) const;
    // Deletes what writers killed before their rename left here long ago.
    void RemoveLeftovers() const;
    // Where the preview of the design in `designDir` is kept.
    QString FileOf(const QString &designDir) const;

private:
    QString mDir;
};
