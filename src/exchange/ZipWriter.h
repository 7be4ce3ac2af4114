#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

// The regular files a pattern such as "/x/Sea/*.*" or "/x/a.gif"
// names: only the folder's own files, no sub-folders, no hidden files and
// no symbolic links (a link could carry a file from elsewhere on the disk
// into an archive handed to strangers). Sorted by name.
QStringList RegularFilesMatching(const QString &wildcardPath);

// Writes a new archive at `archivePath` holding each file under its bare
// name, deflated at `level` where that pays (0: all stored; EntryPacker.h
// tells how each file is packed), sizes and CRC in every local header. An
// existing file at that path is replaced only once the new archive is
// complete. EZipError on failure; `progress` hears of each file.
void WriteZipArchive(const QString &archivePath, const QStringList &files, int level,
                     const std::function<void(const QString &file, std::uint64_t size)> &progress = {});
