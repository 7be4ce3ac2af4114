#pragma once

#include <QString>

#include <functional>

// Opening a file or a web address with the program the desktop associates
// with it; tests replace it to see what would have been opened.
class TDesktopServices
{
public:
    // Told once whether a program took it; may come later, never blocks.
    using TOpened = std::function<void(bool opened)>;

    virtual ~TDesktopServices() = default;
    // `target`: a local path or an address such as https://...
    virtual void Open(const QString &target, TOpened done) = 0;
};

// The help file `name` (as a language file gives it) in `programDir`:
// looked for by its bare name only, whatever its letter case; empty when
// there is no such file.
QString HelpFilePath(const QString &programDir, const QString &name);
