#include "design/PreviewCache.h"

#include "base/FileNames.h"
#include "base/FileWriter.h"
#include "base/TextFile.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QImageReader>
#include <QStandardPaths>

namespace {

// Raised whenever the previews are drawn differently, so that old
// entries are not shown for new ones.
constexpr int kPreviewFormat = 1;
const QString kAuthorText = QStringLiteral("Author");
const QString kKeyText = QStringLiteral("Key");
// Far above any preview's PNG; a larger file was not written here.
constexpr qint64 MaxFileSize = 8 * 1024 * 1024;
// What a writer killed before its rename left; older ones are no one's.
constexpr qint64 LeftoverAgeSecs = 600;

void AddListing(QCryptographicHash &hash, const QString &dir)
{
    const QFileInfoList files = QDir(dir).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    hash.addData(QFile::encodeName(dir));
    for (const QFileInfo &file : files) {
        // One call: a "%2" in a file name must not take the next number.
        const QString line = QStringLiteral("\n%1\t%2\t%3")
                                 .arg(file.fileName(), QString::number(file.size()),
                                      QString::number(file.lastModified().toMSecsSinceEpoch()));
        hash.addData(line.toUtf8());
    }
}

} // namespace

TPreviewCache::TPreviewCache(QString dir)
    : mDir(WithTrailingSlash(dir))
{
}

QString TPreviewCache::StandardDir()
{
    return WithTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
           + QStringLiteral("design-previews/");
}

QString TPreviewCache::Key(const QString &designDir, const QString &defaultDir)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QStringLiteral("%1 %2x%3\n")
                     .arg(kPreviewFormat)
                     .arg(TDesignPreviewMaker::MaxSize.width())
                     .arg(TDesignPreviewMaker::MaxSize.height())
                     .toUtf8());
    AddListing(hash, designDir);
    if (QDir(designDir) != QDir(defaultDir))
        AddListing(hash, defaultDir);
    return QString::fromLatin1(hash.result().toHex());
}

std::optional<TDesignPreview> TPreviewCache::Find(const QString &designDir, const QString &key) const
{
    // Only a regular file of the cache's own: a FIFO or a link planted at
    // the name must not stall the worker or lead elsewhere.
    const std::optional<QByteArray> bytes = ReadRegularFile(FileOf(designDir), MaxFileSize, false);
    if (!bytes)
        return std::nullopt;
    QBuffer buffer;
    buffer.setData(*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    // Anything larger than a preview was not written here.
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > TDesignPreviewMaker::MaxSize.width()
        || size.height() > TDesignPreviewMaker::MaxSize.height() || reader.text(kKeyText) != key)
        return std::nullopt;
    TDesignPreview preview;
    preview.Author = reader.text(kAuthorText);
    if (!reader.read(&preview.Image))
        return std::nullopt;
    return preview;
}

void TPreviewCache::Store(const QString &designDir, const QString &key, const TDesignPreview &preview) const
{
    if (!QDir().mkpath(mDir))
        throw EWriteError(QStringLiteral("Cannot save \"%1\": the folder cannot be created.")
                              .arg(QDir::toNativeSeparators(mDir)));
    QImage image = preview.Image;
    image.setText(kAuthorText, preview.Author);
    image.setText(kKeyText, key);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw EWriteError(QStringLiteral("Cannot save \"%1\": the preview could not be encoded.")
                              .arg(QDir::toNativeSeparators(FileOf(designDir))));
    WriteFileAtomic(FileOf(designDir), bytes);
}

void TPreviewCache::RemoveLeftovers() const
{
    const QDir dir(mDir);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-LeftoverAgeSecs);
    const QFileInfoList parts = dir.entryInfoList({QStringLiteral(".*.png.????????.part")},
                                                  QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &part : parts) {
        if (part.lastModified() < before)
            QFile::remove(part.filePath());
    }
}

QString TPreviewCache::FileOf(const QString &designDir) const
{
    const QByteArray path = QFile::encodeName(QDir::cleanPath(designDir));
    return mDir + QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex())
           + QStringLiteral(".png");
}
