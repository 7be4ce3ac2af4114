#pragma once

#include <QString>

// Opening a file with the program the desktop associates with it; tests
// replace it to see what would have been opened.
class TDesktopServices
{
public:
    virtual ~TDesktopServices() = default;
    // False when no program could be started for it.
    virtual bool OpenFile(const QString &path) = 0;
};

class TSystemDesktopServices : public TDesktopServices
{
public:
    bool OpenFile(const QString &path) override;
};

// The help file `name` (as a language file gives it) in `programDir`:
// looked for by its bare name only, whatever its letter case; empty when
// there is no such file.
QString HelpFilePath(const QString &programDir, const QString &name);
