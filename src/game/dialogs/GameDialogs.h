#pragma once

#include "design/DesignRoots.h"
#include "game/LazyChild.h"

#include <QString>

#include <memory>

class QWidget;
class TDesignSelectDialog;
class THighScoresDialog;
class TDesktopServices;
class TGameSession;
class THelpOpener;
class TLanguage;

// What the window's dialogs work with.
struct TGameDialogsContext {
    // Their parent.
    QWidget &Window;
    TGameSession &Session;
    TLanguage &Language;
    TDesignRoots Roots;
    QString ProgramDir;
    // The scripted run: no one chooses, the editor closes at once.
    bool Unattended = false;
    // Opens files; not owned. None: the system's.
    TDesktopServices *Desktop = nullptr;
};

// The game menu's dialogs that lead elsewhere: the gallery, the design
// editor, help and the Info window. The session applies what they choose.
class TGameDialogs
{
public:
    explicit TGameDialogs(TGameDialogsContext context);
    ~TGameDialogs();

    void Gallery();
    // The twenty best games; the one chosen is watched on the field, or
    // the player is told why it cannot be.
    void HighScores();
    // The game stops while the editor is open and comes back on the
    // attract screen with the design current in it.
    void EditDesign();
    void Help();
    void Info();

private:
    // The editor's "play".
    void PlayPreview(const QString &file);

    TGameDialogsContext mContext;
    std::unique_ptr<THelpOpener> mHelp;
    // Owned by the window, their Qt parent.
    TLazyChild<TDesignSelectDialog> mDesignSelectDialog;
    TLazyChild<THighScoresDialog> mHighScoresDialog;
};
