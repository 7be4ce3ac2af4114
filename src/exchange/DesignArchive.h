#pragma once

#include "design/DesignFolder.h"
#include "lang/MessageLookup.h"

#include <QString>

class TDesignPrompts;

// Writes every regular file that lies directly in `designDir` into a new
// archive at `archivePath`, each under its bare name, deflated at the
// highest level. Sub-folders, hidden files and symbolic links stay out.
// An existing archive there is replaced once the new one is complete.
// EZipError on failure.
void PackDesignFolder(const QString &designDir, const QString &archivePath);

// Unpacks a design archive into the design named after the archive's base
// name (".../Sea.zip" gives "Sea"). The archive is checked and unpacked
// into a hidden folder first; only when all of that succeeded are the
// design's files replaced (its sub-folders stay). Every failure is shown
// through `prompts`, naming the archive, and leaves every design as it
// was. True when the design was written.
bool ImportDesignZip(const QString &path, const TMessageLookup &messages, TDesignPrompts &prompts,
                     const QString &rootDir = DesignRootDir());

// The design name an archive path gives: its file name without folder
// and extension.
QString DesignNameOfArchive(const QString &path);
