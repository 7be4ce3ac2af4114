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
