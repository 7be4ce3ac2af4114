#pragma once

#include <QString>

#include <memory>

class QWidget;
class TDesktopServices;
class THelpWindow;

// Opens files with the desktop's programs, and the help with the desktop's
// viewer or, when there is none, in a window of the game's own.
class THelpOpener
{
public:
    // `desktop` is not owned; none: the system's.
    THelpOpener(QWidget &parent, TDesktopServices *desktop);
    ~THelpOpener();

    TDesktopServices &Desktop();
    // The help file by its bare name beside the program; throws when missing.
    void OpenHelp(const QString &programDir, const QString &name);

private:
    QWidget &mParent;
    TDesktopServices *mGiven;
    std::unique_ptr<TDesktopServices> mSystem;
    THelpWindow *mWindow = nullptr; // owned by its Qt parent
};
