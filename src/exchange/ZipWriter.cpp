#include "exchange/ZipWriter.h"

#include "base/FileWriter.h"
#include "base/ScratchFolder.h"
#include "exchange/DeflatedSource.h"
#include "exchange/EntryPacker.h"
#include "exchange/ZipError.h"
#include "exchange/ZipLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

[[noreturn]] void Fail(zip *archive, const QString &what)
{
    const QString reason = QString::fromUtf8(Zip().Strerror(archive));
    Zip().Discard(archive);
    throw EZipError(QStringLiteral("%1: %2").arg(what, reason));
}

// A full disk says so in the player's words rather than libzip's.
[[noreturn]] void FailToWrite(zip *archive, const QString &path)
{
    zip_error_t *error = Zip().GetError(archive);
    const int code = Zip().ErrorSystemType(error) == ZIP_ET_SYS ? Zip().ErrorCodeSystem(error) : 0;
    if (code == 0)
        Fail(archive, path);
    Zip().Discard(archive);
    throw EZipError(QString::fromUtf8(WriteFailure(path, code).what()));
}

// Opened without following a link, so a file swapped for one after the
// listing is refused rather than packed.
FILE *OpenRegularFile(const QString &path, std::uint64_t &size)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    size = std::uint64_t(st.st_size);
    FILE *file = fdopen(fd, "rb");
    if (!file)
        ::close(fd);
    return file;
}

[[noreturn]] void FailToRead(zip *archive, const QString &path)
{
    Zip().Discard(archive);
    throw EZipError(QStringLiteral("Cannot read %1").arg(path));
}

// Beyond this a file is left to libzip, which deflates as it reads; a
// design's photos and pictures stay far below it.
constexpr std::uint64_t MaxDeflatedHere = 16 << 20;

// The whole file deflated with short codes only, as a source; null, with
// the file read from its start again, when that does not make it smaller.
zip_source_t *ShortCodesSource(zip *archive, TEntryPacker &packer, FILE *file, std::uint64_t size,
                               const QString &path)
{
    QByteArray data(qsizetype(size), Qt::Uninitialized);
    if (std::fread(data.data(), 1, std::size_t(size), file) != size) {
        std::fclose(file);
        FailToRead(archive, path);
    }
    QByteArray deflated = packer.ShortCodes(data);
    if (deflated.isEmpty() || std::uint64_t(deflated.size()) >= size) {
        std::rewind(file);
        return nullptr;
    }
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || std::uint64_t(info.st_size) != size) {
        std::fclose(file);
        FailToRead(archive, path);
    }
    const auto *bytes = reinterpret_cast<const Bytef *>(data.constData());
    const auto crc = std::uint32_t(crc32(crc32(0, nullptr, 0), bytes, uInt(size)));
    zip_source_t *source = DeflatedSource(archive, std::move(deflated), crc, info);
    if (!source) {
        std::fclose(file);
        Fail(archive, path);
    }
    return source;
}

void AddFile(zip *archive, TEntryPacker &packer, const QString &path, int level, std::uint64_t &size)
{
    FILE *file = OpenRegularFile(path, size);
    if (!file)
        FailToRead(archive, path);
    TPacking packing = level == 0 ? TPacking::Store : packer.Choose(fileno(file), size);
    if (packing == TPacking::ShortCodes && size > MaxDeflatedHere) {
        // Too large to hold: libzip deflates it at its fastest level.
        packing = TPacking::Deflate;
        level = 1;
    }
    zip_source_t *source = packing == TPacking::ShortCodes ? ShortCodesSource(archive, packer, file, size, path) : nullptr;
    if (source) {
        std::fclose(file);
    } else {
        if (packing == TPacking::ShortCodes)
            packing = TPacking::Store;
        source = Zip().SourceFilep(archive, file, 0, -1);
        if (!source) {
            std::fclose(file);
            Fail(archive, path);
        }
    }
    const QByteArray name = QFileInfo(path).fileName().toUtf8();
    const zip_int64_t index = Zip().FileAdd(archive, name.constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        Zip().SourceFree(source);
        Fail(archive, path);
    }
    // Deflated here already: libzip takes the bytes as they are.
    if (packing == TPacking::ShortCodes)
        return;
    const zip_int32_t method = packing == TPacking::Store ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
    if (packing == TPacking::QuickDeflate)
        level = std::min(level, 6);
    if (Zip().SetFileCompression(archive, zip_uint64_t(index), method, zip_uint32_t(level)) != 0)
        Fail(archive, path);
}

// The archive is complete once closed; this puts it on the disk before the
// player is told it is written.
void SyncFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (!synced)
        throw EZipError(QString::fromUtf8(WriteFailure(path, error).what()));
    SyncFolder(QFileInfo(path).path());
}

} // namespace

QStringList RegularFilesMatching(const QString &wildcardPath)
{
    const QFileInfo info(wildcardPath);
    QString pattern = info.fileName();
    if (pattern == QLatin1String("*.*"))
        pattern = QStringLiteral("*"); // every file, also one without a dot
    QDir dir(info.path());
    dir.setNameFilters({pattern});
    dir.setFilter(QDir::Files | QDir::NoSymLinks);
    dir.setSorting(QDir::Name);
    QStringList files;
    const QStringList names = dir.entryList();
    for (const QString &name : names)
        files << dir.filePath(name);
    return files;
}

void WriteZipArchive(const QString &archivePath, const QStringList &files, int level,
                     const std::function<void(const QString &, std::uint64_t)> &progress)
{
    if (files.isEmpty())
        throw EZipError(QStringLiteral("Error - no files to zip"));
    int code = 0;
    // libzip writes to a temporary file beside the target and renames it at
    // close, so a failed write leaves the old archive as it was. Should the
    // program be killed meanwhile, the next export or start removes it.
    std::optional<TScratchFolder> scratch;
    try {
        scratch.emplace(TScratchFolder::StandardBase());
        scratch->NoteLeftovers(archivePath + QStringLiteral(".??????"));
    } catch (const EWriteError &) {
        // Without a cache folder the export still runs; only its cleanup is lost.
    }
    zip *archive = Zip().Open(QFile::encodeName(archivePath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        const QString reason = Zip().ErrorText(code);
        throw EZipError(QStringLiteral("%1: %2").arg(archivePath, reason));
    }
    TEntryPacker packer;
    for (const QString &file : files) {
        std::uint64_t size = 0;
        AddFile(archive, packer, file, level, size);
        if (progress)
            progress(QFileInfo(file).fileName(), size);
    }
    if (Zip().Close(archive) != 0)
        FailToWrite(archive, archivePath);
    SyncFile(archivePath);
}
