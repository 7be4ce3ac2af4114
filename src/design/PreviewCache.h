#pragma once

#include "design/DesignPreviewMaker.h"

#include <QString>

#include <optional>

// Design previews kept on disk, one PNG per state of a design's files, so
// that a gallery opened again shows them without reading any design. A
// design whose files change gets a new key and so a new preview; old
// entries are never read again.
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
    // None when the entry is missing or not a preview this cache wrote.
    std::optional<TDesignPreview> Find(const QString &key) const;
    // Raises EWriteError naming the file when it cannot be written; the
    // folder then holds what it held before.
    void Store(const QString &key, const TDesignPreview &preview) const;

private:
    QString FileOf(const QString &key) const;

    QString mDir;
};
