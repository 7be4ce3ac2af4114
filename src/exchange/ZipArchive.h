#pragma once

#include "exchange/ZipListing.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

enum class ProgressType { NewFile, EndOfItem, EndOfBatch };

// The archive component of the exchange commands: lists an archive's
// entries from its local file headers and adds or extracts files through
// libzip in-process. Messages it shows go to OnShowMessage (the error box
// when none is set); what the engine reports goes to OnMessage and
// OnProgress. Options the program never uses are refused as not supported.
class TZipArchive
{
public:
    enum TAddOption {
        AddDirNames = 1 << 0, AddRecurseDirs = 1 << 1, AddMove = 1 << 2, AddFreshen = 1 << 3,
        AddUpdate = 1 << 4, AddZipTime = 1 << 5, AddForceDOS = 1 << 6, AddHiddenFiles = 1 << 7,
        AddEncrypt = 1 << 8,
    };
    enum TExtractOption {
        ExtractDirNames = 1 << 0, ExtractOverwrite = 1 << 1, ExtractFreshen = 1 << 2,
        ExtractUpdate = 1 << 3, ExtractTest = 1 << 4,
    };
    using TNotifyEvent = std::function<void(TZipArchive &sender)>;
    using TProgressEvent = std::function<void(TZipArchive &sender, ProgressType kind,
                                              const QString &fileName, std::int64_t fileSize)>;
    using TMessageEvent = std::function<void(TZipArchive &sender, int errCode, const QString &message)>;
    using TShowMessage = std::function<void(const QString &text)>;

    bool Verbose = false;
    bool Trace = false;
    int CompressionLevel = 9;
    int AddOptions = 0;
    QString ExtractDir;
    int ExtractOptions = 0;
    QStringList FileSpecs;
    QString Password;
    TNotifyEvent OnListUpdate;
    TProgressEvent OnProgress;
    TMessageEvent OnMessage;
    TShowMessage OnShowMessage;
    // Not set by the program; the engine never cancels, but the flag is kept.
    bool CancelRequested = false;

    const QString &ArchiveName() const { return mArchiveName; }
    // Lists the archive at once.
    void SetArchiveName(const QString &path);
    const QString &LibDirectory() const { return mLibDirectory; }
    void SetLibDirectory(const QString &dir);

    const std::vector<ZipEntryInfo> &Entries() const { return mEntries; }
    int Count() const { return int(mEntries.size()); }
    const ZipEntryInfo &Items(int i) const { return mEntries.at(size_t(i)); }
    std::int32_t SuccessCount() const { return mSuccessCount; }

    // Rebuilds Entries from the local headers; EZipError for a damaged
    // entry after good ones. OnListUpdate fires in every case.
    void ListEntries();
    void AddFiles();
    void ExtractFiles();

private:
    void Show(const QString &text) const;
    void Progress(ProgressType kind, const QString &name, std::int64_t size);
    void Message(int code, const QString &text);
    // Runs a command under its busy flag; FileSpecs is emptied afterwards.
    template <class Command>
    void RunCommand(bool &busy, Command &&command);
    bool RefuseUnsupported(int options, int supported);
    void AddFilesNow();
    void ExtractFilesNow();

    QString mArchiveName;
    QString mLibDirectory;
    std::vector<ZipEntryInfo> mEntries;
    std::int32_t mSuccessCount = 0;
    bool mAdding = false;
    bool mExtracting = false;
};
