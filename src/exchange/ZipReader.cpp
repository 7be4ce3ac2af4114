#include "exchange/ZipReader.h"

#include "base/FileNames.h"
#include "base/FileWriter.h"
#include "exchange/ZipError.h"
#include "exchange/ZipLibrary.h"
#include "exchange/ZipListing.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <sys/stat.h>
#include <cstdio>

#include <algorithm>
#include <memory>

namespace {

int OpenError(const QString &path, zip **archive)
{
    int code = 0;
    // No ZIP_CHECKCONS: common tools write archives it calls inconsistent;
    // every entry's data is checked against its CRC when read instead.
    *archive = Zip().Open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    return *archive ? ZIP_ER_OK : code;
}

// A cut-off archive still begins with a local header.
bool StartsLikeAnArchive(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray("PK\3\4", 4);
}

bool IsSymLinkEntry(zip *archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (Zip().FileGetExternalAttributes(archive, index, 0, &system, &attributes) != 0)
        return false;
    return system == ZIP_OPSYS_UNIX && S_ISLNK(attributes >> 16);
}

// Names beginning with a dot would be hidden files, "." and ".." folders.
QString UsableBareName(const QString &stored)
{
    const QString bare = BareFileName(stored);
    if (bare.isEmpty() || bare.startsWith(QLatin1Char('.')) || bare.contains(QChar(0)))
        return QString();
    return bare;
}

bool Matches(const TZipReader::TEntry &entry, const QList<QRegularExpression> &patterns)
{
    if (patterns.isEmpty())
        return true;
    for (const QRegularExpression &re : patterns) {
        if (re.match(entry.Name).hasMatch() || re.match(entry.BareName).hasMatch())
            return true;
    }
    return false;
}

QList<QRegularExpression> Compile(const QStringList &patterns)
{
    QList<QRegularExpression> list;
    for (const QString &p : patterns)
        list << QRegularExpression(QRegularExpression::wildcardToRegularExpression(
                                       p, QRegularExpression::UnanchoredWildcardConversion),
                                   QRegularExpression::CaseInsensitiveOption);
    return list;
}

// Names already in the folder, in lower case: design files are matched
// without regard to case.
QSet<QString> ExistingNames(const QString &dir)
{
    QSet<QString> names;
    const QStringList list =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : list)
        names.insert(name.toLower());
    return names;
}

// Copies an entry's data, never more than the archive states.
bool CopyData(zip_file_t *in, std::uint64_t statedSize, TFileWriter *out, QString &error)
{
    char buffer[65536];
    std::uint64_t total = 0;
    for (;;) {
        const zip_int64_t n = Zip().Fread(in, buffer, sizeof buffer);
        if (n < 0) {
            error = QString::fromUtf8(Zip().ErrorStrerror(Zip().FileGetError(in)));
            return false;
        }
        if (n == 0)
            return true;
        total += std::uint64_t(n);
        if (total > statedSize) {
            error = QStringLiteral("more data than the archive states");
            return false;
        }
        if (out)
            out->Write(buffer, n);
    }
}

} // namespace

TZipReader::TZipReader(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw EZipError(QStringLiteral("The archive does not exist."));
    const int code = OpenError(path, &mArchive);
    if (code == ZIP_ER_NOZIP && StartsLikeAnArchive(path))
        throw EZipError(QStringLiteral("The archive is incomplete or damaged: its directory is missing."));
    if (code != ZIP_ER_OK)
        throw EZipError(Zip().ErrorText(code));
    try {
        ReadEntries();
        std::vector<std::uint64_t> offsets = CentralDirectoryOffsets(path);
        std::sort(offsets.begin(), offsets.end());
        mSharedData = std::adjacent_find(offsets.begin(), offsets.end()) != offsets.end();
    } catch (...) {
        // No destructor runs for a constructor that throws.
        Zip().Discard(mArchive);
        throw;
    }
}

void TZipReader::ReadEntries()
{
    const zip_int64_t count = Zip().GetNumEntries(mArchive, 0);
    // Refused before anything is allocated per entry.
    if (count > MaxEntries)
        throw EZipError(QStringLiteral("The archive holds %1 entries; at most %2 are accepted.")
                            .arg(count)
                            .arg(MaxEntries));
    mEntries.reserve(size_t(count));
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        Zip().StatInit(&st);
        if (Zip().StatIndex(mArchive, zip_uint64_t(i), 0, &st) != 0)
            throw EZipError(QString::fromUtf8(Zip().Strerror(mArchive)));
        TEntry entry;
        entry.Name = QString::fromUtf8(st.name ? st.name : "");
        entry.BareName = UsableBareName(entry.Name);
        entry.Size = st.size;
        entry.CompressedSize = st.comp_size;
        entry.Encrypted = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
        entry.SymLink = IsSymLinkEntry(mArchive, zip_uint64_t(i));
        mEntries.push_back(std::move(entry));
    }
}

TZipReader::~TZipReader()
{
    if (mArchive)
        Zip().Discard(mArchive);
}

bool TZipReader::IsNotAnArchive(const QString &path)
{
    zip *archive = nullptr;
    const int code = OpenError(path, &archive);
    if (archive)
        Zip().Discard(archive);
    return code == ZIP_ER_NOZIP && !StartsLikeAnArchive(path);
}

void TZipReader::CheckLimits() const
{
    if (mSharedData)
        throw EZipError(QStringLiteral("Several entries of the archive share the same data: it is damaged or "
                                       "made to fill the disk."));
    std::uint64_t total = 0;
    for (const TEntry &entry : mEntries) {
        total += entry.Size;
        if (total > MaxTotalSize)
            throw EZipError(QStringLiteral("The archive unpacks to more than %1 MiB.").arg(MaxTotalSize >> 20));
        if (entry.Size > MaxExpansion * entry.CompressedSize)
            throw EZipError(QStringLiteral("The entry \"%1\" expands more than %2-fold.")
                                .arg(entry.Name)
                                .arg(MaxExpansion));
    }
}

TZipReader::TOutcome TZipReader::Extract(const QString &dir, const QStringList &patterns, bool overwrite,
                                         bool testOnly, const TProgress &progress) const
{
    const QList<QRegularExpression> compiled = Compile(patterns);
    return ExtractWanted(
        dir, [&](const TEntry &entry) { return Matches(entry, compiled); }, overwrite, testOnly, progress);
}

TZipReader::TOutcome TZipReader::ExtractWanted(const QString &dir, const TWanted &wanted, bool overwrite,
                                               bool testOnly, const TProgress &progress) const
{
    TOutcome outcome;
    const QString folder = WithTrailingSlash(dir);
    QSet<QString> existing = testOnly ? QSet<QString>() : ExistingNames(folder);
    QSet<QString> seen;
    for (int i = 0; i < int(mEntries.size()); ++i) {
        const TEntry &entry = mEntries[size_t(i)];
        if (entry.Name.endsWith(QLatin1Char('/')) || !wanted(entry))
            continue; // folders are never recreated
        const QString key = entry.BareName.toLower();
        QString why;
        if (entry.BareName.isEmpty())
            why = QStringLiteral("unusable name");
        else if (entry.SymLink)
            why = QStringLiteral("symbolic link");
        else if (seen.contains(key))
            why = QStringLiteral("name appears more than once");
        else if (existing.contains(key) && (!overwrite || QFileInfo(folder + entry.BareName).isSymLink()))
            why = QStringLiteral("file exists"); // a link there is never written through
        if (!why.isEmpty()) {
            outcome.Skipped << QStringLiteral("%1: %2, not extracted").arg(entry.Name, why);
            continue;
        }
        seen.insert(key);
        if (progress)
            progress(entry.BareName, entry.Size);
        if (entry.Encrypted) {
            outcome.Failed << QStringLiteral("%1: encrypted, not extracted").arg(entry.Name);
            continue;
        }
        QString error;
        if (ExtractEntry(i, folder + entry.BareName, testOnly, error)) {
            ++outcome.Written;
            existing.insert(key);
        } else {
            outcome.Failed << QStringLiteral("%1: %2").arg(entry.Name, error);
        }
    }
    return outcome;
}

// The file appears whole or not at all, so a damaged entry or a full disk
// leaves nothing behind.
bool TZipReader::ExtractEntry(int index, const QString &target, bool testOnly, QString &error) const
{
    const TEntry &entry = mEntries[size_t(index)];
    std::unique_ptr<zip_file_t, decltype(TZipLibrary::Fclose)> in(
        Zip().FopenIndex(mArchive, zip_uint64_t(index), 0), Zip().Fclose);
    if (!in) {
        error = QString::fromUtf8(Zip().Strerror(mArchive));
        return false;
    }
    if (testOnly)
        return CopyData(in.get(), entry.Size, nullptr, error);
    try {
        TFileWriter out(target);
        if (!CopyData(in.get(), entry.Size, &out, error))
            return false;
        out.Commit();
    } catch (const EWriteError &e) {
        // The entry's name leads the message: the hidden path it was
        // written to would only puzzle a player.
        error = e.Code() != 0 ? WriteErrorText(e.Code()) : QString::fromUtf8(e.what());
        return false;
    }
    return true;
}
