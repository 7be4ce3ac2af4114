#include "setup/Installer.h"

#include "base/FileNames.h"
#include "base/FileWriter.h"
#include "base/SdlModule.h"
#include "setup/ShortcutLink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>
#include <unistd.h>

namespace {

const QLatin1String IconsFolder("icons");
const QLatin1String EntryName("Snapstorm.desktop");

} // namespace

TInstaller::TInstaller(QString sourceDir, QString exeName, QString dataDir)
    : mSourceDir(WithTrailingSlash(std::move(sourceDir))), mExeName(std::move(exeName)),
      mDataDir(dataDir.isEmpty() ? mSourceDir : WithTrailingSlash(std::move(dataDir))),
      mLauncher([](const QString &program, const QString &workingDir) {
          QProcess::startDetached(program, {}, workingDir);
      })
{
}

QString TInstaller::DefaultDestination()
{
    if (geteuid() == 0)
        return QStringLiteral("/opt/Snapstorm");
    return QDir::homePath() + QStringLiteral("/.local/opt/Snapstorm");
}

void TInstaller::Install(const QString &destination, const QString &languageFile,
                         const TInstallChoices &choices, TShortcutLink &link)
{
    mFailures.clear();
    const QString dest = destination.trimmed();
    if (dest.isEmpty() || !QDir::isAbsolutePath(dest) || !QDir().mkpath(dest))
        throw EInstallError(QStringLiteral("Unable to create the folder \"%1\".").arg(dest));
    mDest = WithTrailingSlash(QDir::cleanPath(dest));
    // Setup started from the installed copy: its files are already there.
    const bool inPlace = QFileInfo(mSourceDir).canonicalFilePath() == QFileInfo(mDest).canonicalFilePath();
    if (!inPlace)
        CopyProgram();
    WriteSettings(languageFile);
    if (!inPlace)
        CopyDefaultDesign();
    if (!mFailures.isEmpty())
        throw EInstallError(QStringLiteral("Snapstorm was not completely installed in \"%1\". "
                                           "These could not be copied or written:\n%2")
                                .arg(QDir::toNativeSeparators(mDest), mFailures.join(QLatin1Char('\n'))));
    WriteLinks(choices, link);
    if (choices.StartProgram)
        mLauncher(mDest + mExeName, mDest);
}

void TInstaller::CopyProgram()
{
    if (mDataDir == mSourceDir) {
        CopyFolder(mSourceDir, mDest, false);
    } else {
        // The program's folder is a shared bin/: only the program is ours.
        CopyOneFile(mSourceDir + mExeName, mDest + mExeName);
        const QString module = mSourceDir + QLatin1String(TSdlModule::InstalledFolder) + TSdlModule::FileName;
        if (QFileInfo(module).isFile())
            CopyOneFile(module, mDest + TSdlModule::FileName);
        CopyFolder(mDataDir, mDest, false);
    }
    if (QFileInfo(mDataDir + IconsFolder).isDir())
        CopyFolder(mDataDir + IconsFolder, mDest + IconsFolder, true);
}

void TInstaller::CopyFolder(const QString &from, const QString &to, bool recurse)
{
    if (!QDir().mkpath(to)) {
        mFailures << to;
        return;
    }
    const QDir source(from);
    const QFileInfoList entries =
        source.entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString target = WithTrailingSlash(to) + entry.fileName();
        if (entry.isDir()) {
            if (recurse)
                CopyFolder(entry.filePath(), target, true);
        } else {
            CopyOneFile(entry.filePath(), target);
        }
    }
}

// A file in the destination is either the old one or the whole new one.
void TInstaller::CopyOneFile(const QString &from, const QString &to)
{
    try {
        CopyFileAtomic(from, to);
    } catch (const EWriteError &e) {
        mFailures << QString::fromUtf8(e.what());
    }
}

// The installed program then starts in the chosen language with nothing
// carried over from the copy it was installed from.
void TInstaller::WriteSettings(const QString &languageFile)
{
    const QString path = mDest + QFileInfo(mExeName).completeBaseName() + QStringLiteral(".ini");
    try {
        WriteTextFileAtomic(path, QStringLiteral("Language=") + languageFile + QLatin1Char('\n'));
    } catch (const EWriteError &e) {
        mFailures << QString::fromUtf8(e.what());
    }
}

void TInstaller::CopyDefaultDesign()
{
    const QString root = FindEntryNoCase(mDataDir, QStringLiteral("design"));
    const QString design = root.isEmpty() ? QString() : FindEntryNoCase(root, QStringLiteral("Default"));
    if (design.isEmpty()) {
        mFailures << QDir::toNativeSeparators(mDataDir + QStringLiteral("design/Default (missing)"));
        return;
    }
    CopyFolder(design, mDest + QStringLiteral("design/") + QFileInfo(design).fileName(), false);
}

void TInstaller::WriteLinks(const TInstallChoices &choices, TShortcutLink &link) const
{
    link.SetTarget(mDest + mExeName);
    link.SetIconLocation(mDest + IconsFolder + QStringLiteral("/hicolor/256x256/apps/snapstorm.png"));
    link.SetWorkingDir(QDir::cleanPath(mDest));
    link.SetDescription(QStringLiteral("Snapstorm"));
    const std::pair<bool, QString> places[] = {{choices.DesktopLink, TShortcutLink::GetDesktopFolder()},
                                               {choices.ProgramsLink, TShortcutLink::GetProgramsFolder(choices.ForEveryone)},
                                               {choices.StartMenuLink, TShortcutLink::GetStartMenuFolder(choices.ForEveryone)}};
    for (const auto &[wanted, folder] : places) {
        if (!wanted)
            continue;
        link.SetShortcutFile(WithTrailingSlash(folder) + EntryName);
        link.Save();
    }
    if (choices.DesktopLink)
        MarkTrusted(WithTrailingSlash(TShortcutLink::GetDesktopFolder()) + EntryName);
}

void TInstaller::MarkTrusted(const QString &entry)
{
    // Some desktops start a launcher on the desktop only once it is marked
    // trusted. Best effort: without gio (or its metadata service) the
    // entry still works from the menu and after the user allows it.
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        return;
    QProcess process;
    process.start(gio, {QStringLiteral("set"), entry, QStringLiteral("metadata::trusted"), QStringLiteral("true")});
    if (!process.waitForFinished(2000))
        process.kill();
}
