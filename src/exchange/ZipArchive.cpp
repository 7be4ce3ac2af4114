#include "exchange/ZipArchive.h"

#include "base/ErrorReport.h"
#include "exchange/ZipError.h"
#include "exchange/ZipReader.h"
#include "exchange/ZipWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

// What the engine reports about one skipped or failed entry.
constexpr int kEntrySkipped = 1;
constexpr int kEntryFailed = 2;
constexpr int kCommandFailed = 3;

} // namespace

void TZipArchive::SetArchiveName(const QString &path)
{
    mArchiveName = path;
    ListEntries();
}

void TZipArchive::SetLibDirectory(const QString &dir)
{
    QString value = dir;
    if (value.endsWith(QLatin1Char('/')) || value.endsWith(QLatin1Char('\\')))
        value.chop(1);
    mLibDirectory = value;
}

void TZipArchive::Show(const QString &text) const
{
    if (OnShowMessage)
        OnShowMessage(text);
    else
        ErrorReport::Show(text);
}

void TZipArchive::Progress(ProgressType kind, const QString &name, std::int64_t size)
{
    if (OnProgress)
        OnProgress(*this, kind, name, size);
}

void TZipArchive::Message(int code, const QString &text)
{
    if (OnMessage)
        OnMessage(*this, code, text);
}

void TZipArchive::ListEntries()
{
    mEntries.clear();
    try {
        if (QFileInfo(mArchiveName).isFile())
            ListZipEntries(mArchiveName, mEntries, [this](const QString &text) { Show(text); });
    } catch (...) {
        if (OnListUpdate)
            OnListUpdate(*this);
        throw;
    }
    if (OnListUpdate)
        OnListUpdate(*this);
}

template <class Command>
void TZipArchive::RunCommand(bool &busy, Command &&command)
{
    if (busy)
        return;
    busy = true;
    CancelRequested = false;
    try {
        command();
    } catch (const std::exception &e) {
        Message(kCommandFailed, QString::fromUtf8(e.what()));
    }
    FileSpecs.clear();
    CancelRequested = false;
    busy = false;
}

bool TZipArchive::RefuseUnsupported(int options, int supported)
{
    if ((options & ~supported) == 0 && Password.isEmpty())
        return false;
    Show(QStringLiteral("Error - option not supported"));
    return true;
}

void TZipArchive::AddFiles()
{
    mSuccessCount = 0;
    if (FileSpecs.isEmpty()) {
        Show(QStringLiteral("Error - no files to zip"));
        return;
    }
    if (mArchiveName.isEmpty()) {
        Show(QStringLiteral("Error - no zip file specified"));
        return;
    }
    // Names are always stored bare; time stamps and name case need nothing.
    if (RefuseUnsupported(AddOptions, AddDirNames | AddZipTime | AddForceDOS)) {
        FileSpecs.clear();
        return;
    }
    RunCommand(mAdding, [this] { AddFilesNow(); });
    if (mSuccessCount > 0)
        ListEntries();
}

void TZipArchive::AddFilesNow()
{
    QStringList files;
    QSet<QString> names;
    for (const QString &wildcardPath : std::as_const(FileSpecs)) {
        for (const QString &file : RegularFilesMatching(wildcardPath)) {
            // Two folders' files of one name: the first is kept.
            if (!names.contains(QFileInfo(file).fileName().toLower())) {
                names.insert(QFileInfo(file).fileName().toLower());
                files << file;
            }
        }
    }
    if (files.isEmpty()) {
        Message(kCommandFailed, QStringLiteral("No files matched"));
        return;
    }
    WriteZipArchive(mArchiveName, files, std::clamp(CompressionLevel, 0, 9),
                    [this](const QString &name, std::uint64_t size) {
                        Progress(ProgressType::NewFile, name, std::int64_t(size));
                    });
    Progress(ProgressType::EndOfBatch, QStringLiteral(" "), 0);
    mSuccessCount = std::int32_t(files.size());
}

void TZipArchive::ExtractFiles()
{
    mSuccessCount = 0;
    if (!QFileInfo(mArchiveName).isFile()) {
        Show(QStringLiteral("Error - no zip file specified"));
        return;
    }
    if (RefuseUnsupported(ExtractOptions, ExtractOverwrite | ExtractTest)) {
        FileSpecs.clear();
        return;
    }
    RunCommand(mExtracting, [this] { ExtractFilesNow(); });
}

// Unlike a library that extracts relative to the current directory, this
// writes into ExtractDir by path: the process's directory never changes.
void TZipArchive::ExtractFilesNow()
{
    const QString dir = ExtractDir.isEmpty() || !QFileInfo(ExtractDir).isDir() ? QDir::currentPath() : ExtractDir;
    TZipReader reader(mArchiveName);
    reader.CheckLimits();
    const TZipReader::TOutcome outcome = reader.Extract(
        dir, FileSpecs, ExtractOptions & ExtractOverwrite, ExtractOptions & ExtractTest,
        [this](const QString &name, std::uint64_t size) {
            Progress(ProgressType::NewFile, name, std::int64_t(size));
        });
    for (const QString &text : outcome.Skipped)
        Message(kEntrySkipped, text);
    for (const QString &text : outcome.Failed)
        Message(kEntryFailed, text);
    Progress(ProgressType::EndOfBatch, QStringLiteral(" "), 0);
    mSuccessCount = outcome.Written;
}
