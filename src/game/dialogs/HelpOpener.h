#pragma once

#include <QString>

#include <functional>
#include <memory>

class QWidget;
class TDesktopServices;
class THelpWindow;

// Shows the game's help in its own window and hands files and web
// addresses to the desktop's programs; when none takes them the player is
// told where they are.
class THelpOpener
{
public:
    using TLookup = std::function<QString(const QString &key)>;

    // `desktop` is not owned; none: the system's opener program.
    THelpOpener(QWidget &parent, TDesktopServices *desktop, TLookup lookup);
    ~THelpOpener();

    TDesktopServices &Desktop();
    // The help file by its bare name beside the program; throws when missing.
    void OpenHelp(const QString &programDir, const QString &name);
    // Opens `target` with the desktop; if nothing could, shows `message`
    // with `path` (default: the target) over `parent`.
    void OpenOrTell(QWidget *parent, const QString &target, const QString &message,
                    const QString &path = QString());

private:
    QWidget &mParent;
    TDesktopServices *mGiven;
    std::unique_ptr<TDesktopServices> mSystem;
    TLookup mLookup;
    THelpWindow *mWindow = nullptr; // owned by its Qt parent
};
