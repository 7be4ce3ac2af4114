#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

struct zip;

// An archive opened for reading through its central directory: the one
// that extraction obeys, so whatever is checked here is what gets written.
// Entry names are never trusted: each entry lands under its bare name.
class TZipReader
{
public:
    struct TEntry {
        QString Name;          // as stored
        QString BareName;      // after the last "/" or "\"; empty when unusable
        std::uint64_t Size = 0;
        std::uint64_t CompressedSize = 0;
        bool Encrypted = false;
        bool SymLink = false;
    };
    struct TOutcome {
        int Written = 0;
        QStringList Skipped;   // tamed: unusable names, links, duplicates, existing files
        QStringList Failed;    // encrypted entries, damaged data, write errors
    };
    using TProgress = std::function<void(const QString &name, std::uint64_t size)>;
    using TWanted = std::function<bool(const TEntry &entry)>;

    static constexpr int MaxEntries = 10000;
    static constexpr std::uint64_t MaxTotalSize = 256ull << 20;
    static constexpr std::uint64_t MaxExpansion = 1000;

    // EZipError when the file is missing or no readable archive.
    explicit TZipReader(const QString &path);
    ~TZipReader();
    TZipReader(const TZipReader &) = delete;
    TZipReader &operator=(const TZipReader &) = delete;

    // True when opening failed because the file holds no archive at all.
    static bool IsNotAnArchive(const QString &path);

    const std::vector<TEntry> &Entries() const { return mEntries; }
    // EZipError when the archive is too big to unpack safely: too many
    // entries, too many bytes in all, an entry that expands too far, or
    // entries that share one stream of data (a few bytes unpacked again
    // and again).
    void CheckLimits() const;
    // Writes every entry whose stored or bare name matches one of
    // `patterns` (none: all) into `dir` under its bare name. The first of
    // several entries of the same name wins; existing files stay unless
    // `overwrite`. `testOnly` reads and checks without writing.
    TOutcome Extract(const QString &dir, const QStringList &patterns, bool overwrite, bool testOnly,
                     const TProgress &progress) const;
    // The same for the entries `wanted` picks; the others are skipped.
    TOutcome ExtractWanted(const QString &dir, const TWanted &wanted, bool overwrite, bool testOnly,
                           const TProgress &progress) const;

private:
    void ReadEntries();
    bool ExtractEntry(int index, const QString &target, bool testOnly, QString &error) const;

    zip *mArchive = nullptr;
    std::vector<TEntry> mEntries;
    bool mSharedData = false;
};
