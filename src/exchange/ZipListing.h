#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// One local file header of an archive, as stored after its signature.
struct ZipEntryInfo {
    std::uint16_t VersionNeeded = 0;
    std::uint16_t Flags = 0;
    std::uint16_t CompressionMethod = 0;
    std::uint32_t DosDateTime = 0;
    std::uint32_t Crc32 = 0;
    std::uint32_t CompressedSize = 0;
    std::uint32_t UncompressedSize = 0;
    std::uint16_t FileNameLength = 0;
    std::uint16_t ExtraFieldLength = 0;
    // Exactly as stored, folder part included.
    QString FileName;
};

// Walks the local file headers of the archive at `path` and appends one
// record per entry to `entries`. It trusts the sizes in the local headers
// and never reads the central directory. "No valid zip entries found" goes
// to `show` when no header turns up; a damaged entry after good ones
// raises EZipError, leaving the entries read so far.
void ListZipEntries(const QString &path, std::vector<ZipEntryInfo> &entries,
                    const std::function<void(const QString &)> &show);

// Where each entry's local header lies, in the order of the archive's
// central directory (the order libzip numbers entries in). Empty when the
// directory cannot be found or read.
std::vector<std::uint64_t> CentralDirectoryOffsets(const QString &path);
