#include "MainFormOptions.h"

#include "base/FileNames.h"
#include "session/SettingsFile.h"

TDesignRoots TMainFormOptions::DesignRoots() const
{
    return DesignRoot.isEmpty() ? TDesignRoots::Standard() : TDesignRoots(DesignRoot);
}

QString TMainFormOptions::ProgramFolder() const
{
    return ProgramDir.isEmpty() ? ProgramDataDir() : ProgramDir;
}

QString TMainFormOptions::ReplayFolderOrDefault() const
{
    // Without a settings file (a scripted run) no game is kept.
    if (!ReplayFolder.isEmpty() || SettingsPath.isEmpty())
        return ReplayFolder;
    return TSettingsFile::ReplayFolderFor(SettingsPath, UserConfigDir(), UserDataDir());
}
