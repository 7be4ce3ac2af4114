#pragma once

#include "design/DesignRoots.h"

#include <QString>

// A fingerprint of a design's own files (names and bytes): a recorded game
// plays again only on the design it was played on. Empty when the design's
// folder does not exist.
QString DesignFilesHash(const QString &folder);
QString DesignFilesHash(const TDesignRoots &roots, const QString &designName);
// Whether the design exists at all in `roots`.
bool DesignExists(const TDesignRoots &roots, const QString &designName);
