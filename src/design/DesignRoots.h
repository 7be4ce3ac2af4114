#pragma once

#include <QString>
#include <QStringList>

// The two folders designs live in. The shipped designs lie beside the
// program (read-only in an install); a player's own designs go to
// $XDG_DATA_HOME/snapstorm/design whenever the program's design folder
// cannot be written. In the build tree and a portable copy both are that
// one folder. Every write goes to the player's root; Default is always the
// shipped one.
class TDesignRoots
{
public:
    TDesignRoots(const QString &shipped, const QString &player);
    // One folder for both (a portable copy, tests). Implicit: a folder is
    // the roots of a game that keeps everything in it.
    TDesignRoots(const QString &root);

    // The shipped root beside the program, and the player's root chosen
    // for it as described above.
    static TDesignRoots Standard();
    static TDesignRoots ForShipped(const QString &shipped);

    // Both with a trailing slash.
    const QString &Shipped() const { return mShipped; }
    const QString &Player() const { return mPlayer; }
    bool Separate() const { return mShipped != mPlayer; }

    // The folder of design `name` (found without regard to case), with a
    // trailing slash: the player's when there is one, else the shipped one.
    QString DirOf(const QString &name) const;
    QString DefaultDir() const;
    // True for a design in the player's root when the roots are separate.
    bool IsPlayers(const QString &name) const;
    // How lists show the design: a player's own is marked with a star.
    QString Caption(const QString &name) const;
    // Every design of both roots, sorted without regard to case, a player's
    // design standing for a shipped one of the same name; with or without
    // Default.
    QStringList Names(bool withDefault) const;

private:
    QString mShipped;
    QString mPlayer;
};
