#include "exchange/ZipListing.h"

#include "exchange/ZipError.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfCentralDir = 0x06054b50;
constexpr int kSearchBudget = 60000;
constexpr qint64 kSelfExtractorStart = 14000;
constexpr qint64 kEndRecordSize = 22;
constexpr int kFixedHeaderSize = 26;

std::uint32_t Le(const QByteArray &bytes, int at, int width)
{
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | std::uint8_t(bytes[at + i]);
    return value;
}

class TLocalHeaderWalk
{
public:
    TLocalHeaderWalk(QFile &file, std::vector<ZipEntryInfo> &entries) : mFile(file), mEntries(entries) {}

    // Returns false when the search gave up.
    bool Search()
    {
        int matched = 0;
        static const char kSignature[4] = {'P', 'K', 3, 4};
        char c = 0;
        while (mFile.getChar(&c)) {
            if (matched == 0) {
                if (++mSearched > kSearchBudget)
                    return false;
                matched = c == kSignature[0] ? 1 : 0;
            } else if (c == kSignature[matched]) {
                if (++matched == 4)
                    return true;
            } else {
                matched = 0; // the breaking byte is not a new "P"
            }
        }
        return false;
    }

    enum class TOutcome { Done, SearchAgain };

    // Entry state, the first signature already read by the search.
    TOutcome Entries()
    {
        std::uint32_t signature = kLocalHeader;
        for (;;) {
            if (signature == kCentralHeader || signature == kEndOfCentralDir)
                return TOutcome::Done;
            if (signature == kLocalHeader && !ReadEntry())
                return TOutcome::SearchAgain;
            const QByteArray bytes = mFile.read(4);
            if (bytes.size() < 4)
                throw EZipError(QStringLiteral("Error reading Zip File"));
            signature = Le(bytes, 0, 4);
        }
    }

private:
    // False: a broken first record, the search resumes.
    bool ReadEntry()
    {
        const QByteArray fixed = mFile.read(kFixedHeaderSize);
        ZipEntryInfo info;
        QByteArray name;
        if (fixed.size() == kFixedHeaderSize) {
            info = Decode(fixed);
            name = mFile.read(info.FileNameLength);
        }
        if (fixed.size() < kFixedHeaderSize || name.size() < info.FileNameLength)
            return Broken(2);
        info.FileName = QString::fromLocal8Bit(name);
        const qint64 extraEnd = mFile.pos() + info.ExtraFieldLength;
        const qint64 dataEnd = extraEnd + qint64(info.CompressedSize);
        if (dataEnd > mFile.size() - kEndRecordSize)
            return Broken(3);
        if (!mFile.seek(extraEnd) || mFile.pos() != extraEnd)
            throw EZipError(QStringLiteral("Error 4 reading Zip file"));
        if (!mFile.seek(dataEnd) || mFile.pos() != dataEnd)
            throw EZipError(QStringLiteral("Error 5 reading Zip file"));
        mEntries.push_back(std::move(info));
        return true;
    }

    bool Broken(int code)
    {
        if (!mEntries.empty())
            throw EZipError(QStringLiteral("Error %1 reading Zip file").arg(code));
        return false;
    }

    static ZipEntryInfo Decode(const QByteArray &b)
    {
        ZipEntryInfo info;
        info.VersionNeeded = std::uint16_t(Le(b, 0, 2));
        info.Flags = std::uint16_t(Le(b, 2, 2));
        info.CompressionMethod = std::uint16_t(Le(b, 4, 2));
        info.DosDateTime = Le(b, 6, 4);
        info.Crc32 = Le(b, 10, 4);
        info.CompressedSize = Le(b, 14, 4);
        info.UncompressedSize = Le(b, 18, 4);
        info.FileNameLength = std::uint16_t(Le(b, 22, 2));
        info.ExtraFieldLength = std::uint16_t(Le(b, 24, 2));
        return info;
    }

    QFile &mFile;
    std::vector<ZipEntryInfo> &mEntries;
    int mSearched = 0; // never reset: the budget covers the whole file
};

} // namespace

void ListZipEntries(const QString &path, std::vector<ZipEntryInfo> &entries,
                    const std::function<void(const QString &)> &show)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    // A self-extracting archive: its program part comes first.
    if (QFileInfo(path).suffix().compare(QLatin1String("exe"), Qt::CaseInsensitive) == 0)
        file.seek(kSelfExtractorStart);
    TLocalHeaderWalk walk(file, entries);
    for (;;) {
        if (!walk.Search()) {
            show(QStringLiteral("No valid zip entries found"));
            return;
        }
        if (walk.Entries() == TLocalHeaderWalk::TOutcome::Done)
            return;
    }
}

namespace {

constexpr std::uint32_t kZip64EndOfCentralDir = 0x06064b50;
constexpr std::uint32_t kZip64Locator = 0x07064b50;
constexpr qint64 kMaxCommentSize = 0xFFFF;
constexpr qint64 kMaxDirectorySize = 64LL << 20;

std::uint64_t Le64(const QByteArray &bytes, int at)
{
    return std::uint64_t(Le(bytes, at, 4)) | (std::uint64_t(Le(bytes, at + 4, 4)) << 32);
}

struct TDirectory {
    std::uint64_t Count = 0, Size = 0, Offset = 0;
};

QByteArray ReadAt(QFile &file, qint64 at, qint64 size)
{
    return file.seek(at) ? file.read(size) : QByteArray();
}

// The end record is the last one of its signature within reach of the
// longest comment; a ZIP64 record, when its locator precedes the end, wins.
bool FindDirectory(QFile &file, TDirectory &dir)
{
    const qint64 tailSize = std::min(file.size(), kEndRecordSize + kMaxCommentSize);
    const qint64 tailStart = file.size() - tailSize;
    const QByteArray tail = ReadAt(file, tailStart, tailSize);
    qint64 end = -1;
    for (qint64 i = tail.size() - kEndRecordSize; i >= 0 && end < 0; --i) {
        if (Le(tail, int(i), 4) == kEndOfCentralDir)
            end = i;
    }
    if (end < 0)
        return false;
    dir = {Le(tail, int(end) + 10, 2), Le(tail, int(end) + 12, 4), Le(tail, int(end) + 16, 4)};
    const qint64 locatorAt = tailStart + end - 20;
    const QByteArray locator = locatorAt >= 0 ? ReadAt(file, locatorAt, 20) : QByteArray();
    if (locator.size() < 20 || Le(locator, 0, 4) != kZip64Locator)
        return true;
    const QByteArray record = ReadAt(file, qint64(std::min<std::uint64_t>(Le64(locator, 8), INT64_MAX)), 56);
    if (record.size() < 56 || Le(record, 0, 4) != kZip64EndOfCentralDir)
        return false;
    dir = {Le64(record, 32), Le64(record, 40), Le64(record, 48)};
    return true;
}

// A ZIP64 extra field lists, in this order, only the values whose 32-bit
// fields are all ones.
std::uint64_t Zip64Offset(const QByteArray &extra, bool sizeMissing, bool compressedMissing)
{
    for (int at = 0; at + 4 <= extra.size();) {
        const int id = int(Le(extra, at, 2));
        const int length = int(Le(extra, at + 2, 2));
        const int field = at + 4 + (sizeMissing ? 8 : 0) + (compressedMissing ? 8 : 0);
        if (id == 1 && field + 8 <= at + 4 + length && field + 8 <= extra.size())
            return Le64(extra, field);
        at += 4 + length;
    }
    return UINT64_MAX;
}

} // namespace

std::vector<std::uint64_t> CentralDirectoryOffsets(const QString &path)
{
    QFile file(path);
    TDirectory dir;
    if (!file.open(QIODevice::ReadOnly) || !FindDirectory(file, dir) || dir.Size > std::uint64_t(kMaxDirectorySize)
        || dir.Offset > std::uint64_t(file.size()))
        return {};
    const QByteArray bytes = ReadAt(file, qint64(dir.Offset), qint64(dir.Size));
    std::vector<std::uint64_t> offsets;
    for (int at = 0; offsets.size() < dir.Count && at + 46 <= bytes.size();) {
        if (Le(bytes, at, 4) != kCentralHeader)
            return {};
        const int nameLength = int(Le(bytes, at + 28, 2));
        const int extraLength = int(Le(bytes, at + 30, 2));
        const int commentLength = int(Le(bytes, at + 32, 2));
        std::uint64_t offset = Le(bytes, at + 42, 4);
        if (offset == 0xFFFFFFFFu)
            offset = Zip64Offset(bytes.mid(at + 46 + nameLength, extraLength), Le(bytes, at + 24, 4) == 0xFFFFFFFFu,
                                 Le(bytes, at + 20, 4) == 0xFFFFFFFFu);
        offsets.push_back(offset);
        at += 46 + nameLength + extraLength + commentLength;
    }
    return offsets.size() == dir.Count ? offsets : std::vector<std::uint64_t>{};
}
