#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

class TShortcutLink;

// Raised when the destination cannot be made or some part of the program
// did not arrive there; the message names what failed.
class EInstallError : public std::runtime_error
{
public:
    explicit EInstallError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

struct TInstallChoices
{
    bool DesktopLink = true;
    bool ProgramsLink = false;
    bool StartMenuLink = true;
    bool StartProgram = true;
    // Menu entries where every user's menu reads them (setup run as root).
    bool ForEveryone = false;
};

// Copies the program from the folder of its executable to a destination,
// writes a fresh settings file there and the launcher entries. Free of
// widgets so it runs on a scratch folder in tests. The copy is portable:
// everything lies beside the program, also when it comes from an install
// in the file-system layout (data in `dataDir`, the SDL module in the
// private library folder).
class TInstaller
{
public:
    // Starts the installed program detached; the result is not checked.
    using TLauncher = std::function<void(const QString &program, const QString &workingDir)>;

    // `dataDir` empty: the data lies beside the program in `sourceDir`.
    TInstaller(QString sourceDir, QString exeName, QString dataDir = {});

    // ~/.local/opt/Snapstorm for a user, /opt/Snapstorm for root.
    static QString DefaultDestination();
    void SetLauncher(TLauncher launcher) { mLauncher = std::move(launcher); }

    // Runs every step for `destination` with `languageFile` (e.g.
    // "english.lng"). Files, settings and design are all attempted before
    // a failure among them raises one EInstallError naming each; links are
    // then not written. A failing link raises EShortcutError.
    void Install(const QString &destination, const QString &languageFile,
                 const TInstallChoices &choices, TShortcutLink &link);

    // What the last Install could not copy or write.
    const QStringList &Failures() const { return mFailures; }

private:
    void CopyProgram();
    void CopyFolder(const QString &from, const QString &to, bool recurse);
    void CopyOneFile(const QString &from, const QString &to);
    void WriteSettings(const QString &languageFile);
    void CopyDefaultDesign();
    void WriteLinks(const TInstallChoices &choices, TShortcutLink &link) const;
    static void MarkTrusted(const QString &entry);

    QString mSourceDir;
    QString mExeName;
    QString mDataDir;
    QString mDest;
    QStringList mFailures;
    TLauncher mLauncher;
};
