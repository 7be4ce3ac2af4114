#include "setup/ShortcutLink.h"

#include "base/FileNames.h"
#include "base/FileWriter.h"
#include "base/TextFile.h"
#include "setup/DesktopEntryText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace {

const char *const LinkError = "Unable to create .lnk file";

// An XDG base folder from `variable`, or `fallback` below the home folder;
// the rules ignore relative values.
QString XdgBase(const char *variable, const QString &fallback)
{
    const QString value = qEnvironmentVariable(variable);
    if (QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(QDir::homePath() + QLatin1Char('/') + fallback);
}

// XDG_DESKTOP_DIR as the user-dirs file sets it: a quoted path, absolute or
// starting with $HOME.
QString DesktopFromUserDirs()
{
    const QString file = UserConfigDir() + QLatin1String("/user-dirs.dirs");
    static const QRegularExpression line(QStringLiteral(R"(^\s*XDG_DESKTOP_DIR\s*=\s*"([^"]*)\"\s*$)"));
    for (const QString &text : SplitLines(ReadTextFile(file))) {
        const QRegularExpressionMatch match = line.match(text);
        if (!match.hasMatch())
            continue;
        QString path = match.captured(1);
        if (path.startsWith(QLatin1String("$HOME")))
            path = QDir::homePath() + path.mid(5);
        if (QDir::isAbsolutePath(path))
            return QDir::cleanPath(path);
    }
    return QString();
}

} // namespace

TShortcutLink::TShortcutLink(QObject *parent) : QObject(parent) {}

void TShortcutLink::SetHotKey(const QString &value)
{
    const QChar c = value.isEmpty() ? QLatin1Char(' ') : value.at(0).toUpper();
    mHotKey = c.unicode() < 32 ? QLatin1Char(' ') : c;
}

TShowCmd TShortcutLink::ShowCmd() const
{
    switch (mShowCmd) {
    case 3: return TShowCmd::scShowMaximized;
    case 7: return TShowCmd::scShowMinimized;
    default: return TShowCmd::scShowNormal;
    }
}

void TShortcutLink::SetShowCmd(TShowCmd value)
{
    mShowCmd = value == TShowCmd::scShowMaximized ? 3 : value == TShowCmd::scShowMinimized ? 7 : 9;
}

QByteArray TShortcutLink::DesktopEntry() const
{
    const QString name = mDescription.isEmpty() ? QFileInfo(mTarget).completeBaseName() : mDescription;
    QStringList lines{QStringLiteral("[Desktop Entry]"), QStringLiteral("Type=Application"),
                      QStringLiteral("Version=1.0"), QStringLiteral("Name=") + EscapeEntryValue(name)};
    if (!mDescription.isEmpty())
        lines << QStringLiteral("Comment=") + EscapeEntryValue(mDescription);
    lines << QStringLiteral("Exec=") + EscapeEntryValue(ExecCommand(mTarget, QProcess::splitCommand(mArguments)));
    if (!mWorkingDir.isEmpty())
        lines << QStringLiteral("Path=") + EscapeEntryValue(mWorkingDir);
    if (!mIconLocation.isEmpty())
        lines << QStringLiteral("Icon=") + EscapeEntryValue(mIconLocation);
    lines << QStringLiteral("Terminal=false") << QStringLiteral("Categories=Game;ArcadeGame;");
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

void TShortcutLink::Save() const
{
    const QFileInfo file(mShortcutFile);
    if (mShortcutFile.isEmpty() || mTarget.isEmpty() || !QDir().mkpath(file.absolutePath()))
        throw EShortcutError(LinkError);
    // Desktops start only launchers that are executable.
    try {
        TFileWriter writer(file.absoluteFilePath(), 0755);
        writer.Write(DesktopEntry());
        writer.Commit();
    } catch (const EWriteError &e) {
        throw EShortcutError(std::string(LinkError) + "\n" + e.what());
    }
}

QString TShortcutLink::GetDesktopFolder()
{
    const QString direct = qEnvironmentVariable("XDG_DESKTOP_DIR");
    if (QDir::isAbsolutePath(direct))
        return QDir::cleanPath(direct);
    const QString fromFile = DesktopFromUserDirs();
    return fromFile.isEmpty() ? QDir::cleanPath(QDir::homePath() + QLatin1String("/Desktop")) : fromFile;
}

QString TShortcutLink::GetProgramsFolder(bool forEveryone)
{
    if (forEveryone)
        return QStringLiteral("/usr/local/share/applications");
    return XdgBase("XDG_DATA_HOME", QStringLiteral(".local/share")) + QLatin1String("/applications");
}

// Desktop menus have no level above their programs: the one applications
// folder serves both, so the two entries are one file and never appear twice.
QString TShortcutLink::GetStartMenuFolder(bool forEveryone)
{
    return GetProgramsFolder(forEveryone);
}
