#include "exchange/DesignArchive.h"

#include "base/FileNames.h"
#include "design/DesignBudget.h"
#include "design/PrepareDesignFolder.h"
#include "design/StagedFolder.h"
#include "exchange/ZipError.h"
#include "exchange/ZipReader.h"
#include "exchange/ZipWriter.h"
#include "lang/Language.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {

QString AboutArchive(const QString &path, const QString &text)
{
    return QStringLiteral("\"%1\"\r\n%2").arg(path, text);
}

// What the archive would unpack to once only design files are taken.
std::uint64_t DesignBytes(const TZipReader &reader)
{
    std::uint64_t total = 0;
    for (const TZipReader::TEntry &entry : reader.Entries()) {
        if (IsDesignFileName(entry.BareName))
            total += entry.Size;
    }
    return total;
}

// Only a settings file at the archive's root makes it a design.
bool HasDesignIni(const TZipReader &reader)
{
    const auto &entries = reader.Entries();
    return std::any_of(entries.begin(), entries.end(), [](const TZipReader::TEntry &entry) {
        return entry.Name.compare(QLatin1String(DesignIniName), Qt::CaseInsensitive) == 0;
    });
}

// The opened and checked archive; nothing when the user has been told why not.
std::unique_ptr<TZipReader> OpenDesignArchive(const QString &path, const TLanguage &language,
                                              TDesignPrompts &prompts)
{
    if (!QFileInfo(path).isFile() || TZipReader::IsNotAnArchive(path)) {
        prompts.Error(AboutArchive(path, language.LookupMessage(QStringLiteral("NotDesignArchive"))));
        return nullptr;
    }
    try {
        auto reader = std::make_unique<TZipReader>(path);
        reader->CheckLimits();
        if (DesignBytes(*reader) > std::uint64_t(TDesignBudget::MaxFileBytes))
            throw EZipError(QStringLiteral("The design in it is larger than any design Snapstorm can load "
                                           "(%1 MiB).")
                                .arg(TDesignBudget::MaxFileBytes >> 20));
        if (HasDesignIni(*reader))
            return reader;
        prompts.Error(AboutArchive(path, language.LookupMessage(QStringLiteral("NoDesignZip"))));
    } catch (const EZipError &e) {
        prompts.Error(AboutArchive(path, QString::fromUtf8(e.what())));
    }
    return nullptr;
}

// Unpacks the design's own files into the staged folder; anything else in
// the archive stays out. The reasons when anything failed.
QStringList Unpack(const TZipReader &reader, const TStagedFolder &staged)
{
    const auto designFile = [](const TZipReader::TEntry &entry) { return IsDesignFileName(entry.BareName); };
    const TZipReader::TOutcome outcome = reader.ExtractWanted(staged.Dir(), designFile, false, false, {});
    QStringList problems = outcome.Failed;
    if (problems.isEmpty() && ExistingFileNoCase(staged.Dir(), QLatin1String(DesignIniName)).isEmpty())
        problems << QStringLiteral("%1 could not be unpacked").arg(QLatin1String(DesignIniName));
    return problems;
}

// A full disk fails every file after the first: the first few say enough.
QString Unimported(const QString &design, const QStringList &problems)
{
    constexpr int Shown = 3;
    QStringList lines = problems.mid(0, Shown);
    if (problems.size() > Shown)
        lines << QStringLiteral("... and %1 more").arg(problems.size() - Shown);
    lines << QStringLiteral("The design \"%1\" was not imported and stays as it was.").arg(design);
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

QString DesignNameOfArchive(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

void PackDesignFolder(const QString &designDir, const QString &archivePath)
{
    QStringList files = RegularFilesMatching(WithTrailingSlash(designDir) + QStringLiteral("*"));
    // The key list comes first: the desktop knows a design archive by its
    // name right after the first local header.
    std::stable_partition(files.begin(), files.end(), [](const QString &file) {
        return QFileInfo(file).fileName().compare(QLatin1String("!design.ini"), Qt::CaseInsensitive) == 0;
    });
    WriteZipArchive(archivePath, files, 9);
}

namespace {

enum class TStaging { Done, DesignAppeared, Unpacked };

// Unpacks and swaps in the design while the design root is locked. It
// returns (or raises) with the lock released and the staging folder gone,
// so no other copy waits while the player reads a message.
TStaging StageAndCommit(const TZipReader &reader, const QString &name, const QString &rootDir, bool existed,
                        QStringList &problems)
{
    TStagedFolder staged(rootDir, name);
    // Another copy made the design after this one found none to ask about.
    if (!existed && QFileInfo(staged.TargetDir()).isDir())
        return TStaging::DesignAppeared;
    problems = Unpack(reader, staged);
    if (!problems.isEmpty())
        return TStaging::Unpacked;
    staged.Commit();
    return TStaging::Done;
}

} // namespace

bool ImportDesignZip(const QString &path, const TLanguage &language, TDesignPrompts &prompts,
                     const QString &rootDir)
{
    if (path.isEmpty())
        return false;
    const QString name = DesignNameOfArchive(path);
    const std::unique_ptr<TZipReader> reader = OpenDesignArchive(path, language, prompts);
    if (!reader)
        return false;
    QString failure;
    try {
        TStaging staging = TStaging::DesignAppeared;
        QStringList problems;
        while (staging == TStaging::DesignAppeared) {
            const bool existed = !FindEntryNoCase(WithTrailingSlash(rootDir), name).isEmpty();
            if (!PrepareDesignFolder(name, language, prompts, rootDir))
                return false;
            staging = StageAndCommit(*reader, name, rootDir, existed, problems);
        }
        if (staging == TStaging::Done)
            return true;
        failure = Unimported(name, problems);
    } catch (const std::exception &e) {
        failure = QString::fromUtf8(e.what());
    }
    prompts.Error(AboutArchive(path, failure));
    return false;
}
