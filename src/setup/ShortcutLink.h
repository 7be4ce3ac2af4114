#pragma once

#include <QObject>
#include <QString>

#include <stdexcept>

enum class TShowCmd { scShowMaximized, scShowMinimized, scShowNormal };

class EShortcutError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One launcher entry for the desktop or the applications menu, written as
// a freedesktop desktop entry. HotKey, ShowCmd and IconNumber are kept for
// the callers but have no place in such an entry, so Save leaves them out.
class TShortcutLink : public QObject
{
    Q_OBJECT

public:
    explicit TShortcutLink(QObject *parent = nullptr);

    QString ShortcutFile() const { return mShortcutFile; }
    void SetShortcutFile(const QString &value) { mShortcutFile = value; }
    QString Target() const { return mTarget; }
    void SetTarget(const QString &value) { mTarget = value; }
    QString WorkingDir() const { return mWorkingDir; }
    void SetWorkingDir(const QString &value) { mWorkingDir = value; }
    QString Description() const { return mDescription; }
    void SetDescription(const QString &value) { mDescription = value; }
    QString Arguments() const { return mArguments; }
    void SetArguments(const QString &value) { mArguments = value; }
    QString IconLocation() const { return mIconLocation; }
    void SetIconLocation(const QString &value) { mIconLocation = value; }
    QString HotKey() const { return QString(mHotKey); }
    void SetHotKey(const QString &value);
    TShowCmd ShowCmd() const;
    void SetShowCmd(TShowCmd value);
    int StoredShowCmd() const { return mShowCmd; }
    int IconNumber() const { return mIconNumber; }
    void SetIconNumber(int value) { mIconNumber = value; }

    // The entry's text as Save writes it.
    QByteArray DesktopEntry() const;
    // Writes the entry to ShortcutFile (making missing folders) and marks it
    // executable; throws EShortcutError when that fails.
    void Save() const;

    static QString GetDesktopFolder();
    // The user's own applications folder; with `forEveryone` the one every
    // user's menu reads (/usr/local/share/applications).
    static QString GetProgramsFolder(bool forEveryone = false);
    static QString GetStartMenuFolder(bool forEveryone = false);

private:
    QString mShortcutFile;
    QString mTarget;
    QString mWorkingDir;
    QString mDescription;
    QString mArguments;
    QString mIconLocation;
    QChar mHotKey = QLatin1Char(' ');
    int mShowCmd = 9;
    int mIconNumber = 0;
};
