#pragma once

#include "design/DesignRoots.h"

#include <QString>

class TDesktopServices;

struct TMainFormOptions {
    // The settings file; empty: none is read or written.
    QString SettingsPath{};
    // The scripted run: no dialog waits for a person, no sound device opens.
    bool Unattended = false;
    // Opens the help file; not owned. None: the system's.
    TDesktopServices *Desktop = nullptr;
    // Where the design folders lie; empty: beside the executable.
    QString DesignRoot{};
    // Unattended runs still open the system's sound output (tests that
    // listen to what the game plays).
    bool OpenSoundDevice = false;
    // Where the language and help files lie; empty: beside the executable.
    QString ProgramDir{};
    // Read while the settings file does not exist yet; may be empty.
    QString SettingsSeedPath{};
    // Where the games of the high-score table are kept; empty: found from
    // the settings file's place.
    QString ReplayFolder{};

    // The fields above with their defaults filled in.
    TDesignRoots DesignRoots() const;
    QString ProgramFolder() const;
    QString ReplayFolderOrDefault() const;
};
