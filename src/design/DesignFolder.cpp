#include "design/DesignFolder.h"

#include "base/FileNames.h"
#include "base/FolderIndex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <string>

#include <unicode/uchar.h>
#include <unicode/uspoof.h>

namespace {

// Splits "dir/pattern" into its folder and its wildcard pattern.
void SplitMask(const QString &mask, QString &dir, QString &pattern)
{
    const qsizetype slash = mask.lastIndexOf(QLatin1Char('/'));
    dir = slash < 0 ? QStringLiteral(".") : mask.left(slash + 1);
    pattern = slash < 0 ? mask : mask.mid(slash + 1);
    if (pattern.isEmpty() || pattern == QLatin1String("*.*"))
        pattern = QStringLiteral("*");
}

// "*" matches any run of characters, "?" any one; letter case is ignored.
bool MatchesNoCase(QStringView pattern, QStringView name)
{
    qsizetype p = 0, n = 0, star = -1, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            star = p++;
            resume = n;
        } else if (p < pattern.size()
                   && (pattern[p] == QLatin1Char('?') || pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

QStringList EntriesOf(const QString &dir, QDir::Filters filters)
{
    return QDir(dir).entryList(filters | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Unsorted);
}

} // namespace

QString DesignRootDir()
{
    return ProgramDataDir() + QStringLiteral("design/");
}

QString DefaultDesignDir(const QString &rootDir)
{
    return WithTrailingSlash(ResolvePathNoCase(rootDir, QStringLiteral("Default")));
}

bool IsDefaultDesignName(const QString &name)
{
    return name.isEmpty() || name.compare(QLatin1String("default"), Qt::CaseInsensitive) == 0;
}

namespace {

// Characters that show nothing: default-ignorable ones (joiners, fillers),
// spaces, controls, formats, combining marks (an accent over a letter
// still reads as the letter) and the blank Braille pattern.
bool IsBlankLike(char32_t c)
{
    const int8_t type = u_charType(UChar32(c));
    return u_hasBinaryProperty(UChar32(c), UCHAR_DEFAULT_IGNORABLE_CODE_POINT) || u_isUWhiteSpace(UChar32(c))
           || type == U_CONTROL_CHAR || type == U_FORMAT_CHAR || type == U_SPACE_SEPARATOR
           || type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR || type == U_NON_SPACING_MARK
           || type == U_ENCLOSING_MARK || c == 0x2800;
}

struct TSpoofCheckerClose
{
    void operator()(USpoofChecker *checker) const { uspoof_close(checker); }
};

// Unicode's confusable skeleton: two texts that read alike have the same.
// The checker is made once; reading skeletons from it is thread-safe.
QString Skeleton(const QString &text)
{
    static const std::unique_ptr<USpoofChecker, TSpoofCheckerClose> checker = [] {
        UErrorCode status = U_ZERO_ERROR;
        return std::unique_ptr<USpoofChecker, TSpoofCheckerClose>(uspoof_open(&status));
    }();
    if (!checker)
        return text;
    std::u16string out(size_t(text.size()) * 4 + 16, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const auto skeleton = [&] {
        return uspoof_getSkeleton(checker.get(), 0, reinterpret_cast<const UChar *>(text.utf16()),
                                  int32_t(text.size()), out.data(), int32_t(out.size()), &status);
    };
    int32_t length = skeleton();
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.resize(size_t(length));
        status = U_ZERO_ERROR;
        length = skeleton();
    }
    return U_FAILURE(status) ? text : QString::fromUtf16(out.data(), length);
}

// The skeletons a name can read as, letter case aside.
QStringList Readings(const QString &name)
{
    return {Skeleton(name).toCaseFolded(), Skeleton(name.toCaseFolded()).toCaseFolded(),
            Skeleton(name.toUpper()).toCaseFolded()};
}

} // namespace

bool LooksLikeDefaultName(const QString &name)
{
    QString visible;
    for (const char32_t c : name.normalized(QString::NormalizationForm_KD).toUcs4()) {
        if (!IsBlankLike(c))
            visible += QString::fromUcs4(&c, 1);
    }
    if (visible.isEmpty())
        return true;
    const QStringList defaults = Readings(QStringLiteral("Default"));
    for (const QString &reading : Readings(visible)) {
        if (defaults.contains(reading))
            return true;
    }
    return false;
}

bool IsDesignFileName(const QString &name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(!design\\.ini|image([0-9]|1[0-2])\\.(gif|bmp)|photo_([1-9][0-9]{0,2}|1000)\\.bmp|"
                       "sound[1-7]\\.wav)$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

void ListDesignDirs(const QString &mask, QStringList &list)
{
    list.clear();
    QString dir, pattern;
    SplitMask(mask, dir, pattern);
    for (const QString &entry : EntriesOf(dir, QDir::Dirs)) {
        if (entry.startsWith(QLatin1Char('.')) || !MatchesNoCase(pattern, entry))
            continue;
        list.append(entry);
    }
}

void ListFiles(const QString &mask, QStringList &list)
{
    list.clear();
    QString dir, pattern;
    SplitMask(mask, dir, pattern);
    for (const QString &entry : EntriesOf(dir, QDir::Files)) {
        if (MatchesNoCase(pattern, entry))
            list.append(entry);
    }
}

bool SameFileContents(const QString &a, const QString &b)
{
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    if (fa.size() != fb.size())
        return false;
    constexpr qint64 chunk = 64 * 1024;
    while (!fa.atEnd()) {
        const QByteArray ba = fa.read(chunk);
        const QByteArray bb = fb.read(chunk);
        if (ba.isEmpty() && !fa.atEnd())
            return false; // read error
        if (ba != bb)
            return false;
    }
    return fb.atEnd() && fa.error() == QFile::NoError && fb.error() == QFile::NoError;
}

QString IncludeBackslash(const QString &path)
{
    return WithTrailingSlash(path);
}

void SortNamesNoCase(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

QStringList DesignMenuNames(const QString &rootDir)
{
    QStringList names;
    ListDesignDirs(WithTrailingSlash(rootDir) + QStringLiteral("*.*"), names);
    names.removeIf([](const QString &name) { return IsDefaultDesignName(name); });
    SortNamesNoCase(names);
    return names;
}

QString ImageGifName(int i) { return QStringLiteral("Image%1.gif").arg(i); }
QString ImageBmpName(int i) { return QStringLiteral("Image%1.bmp").arg(i); }
QString SoundName(int n) { return QStringLiteral("Sound%1.wav").arg(n); }
QString PhotoName(int k) { return QStringLiteral("Photo_%1.bmp").arg(k); }

QString ExistingFileNoCase(const QString &dir, const QString &name)
{
    const QString path = FindEntryNoCase(dir, name);
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

QString ExistingFileNoCase(const TFolderIndex &index, const QString &name)
{
    const QString path = index.Find(name);
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

namespace {

void RemoveOneFile(const QString &path)
{
    if (!QFile::remove(path) && QFileInfo::exists(path))
        throw EDesignError(QStringLiteral("Cannot delete file %1").arg(QDir::toNativeSeparators(path)));
}

} // namespace

void RemoveFileNoCase(const QString &dir, const QString &name)
{
    for (const QString &entry : EntriesOf(dir, QDir::Files)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            RemoveOneFile(WithTrailingSlash(dir) + entry);
    }
}

QString WritePathNoCase(const QString &dir, const QString &name)
{
    for (const QString &entry : EntriesOf(dir, QDir::Files)) {
        if (entry != name && entry.compare(name, Qt::CaseInsensitive) == 0)
            RemoveOneFile(WithTrailingSlash(dir) + entry);
    }
    return WithTrailingSlash(dir) + name;
}

bool ParseInt32(const QString &text, int &value)
{
    if (text.isEmpty())
        return false;
    qsizetype i = 0;
    if (text.at(0) == QLatin1Char('-') || text.at(0) == QLatin1Char('+'))
        i = 1;
    if (i == text.size())
        return false;
    for (qsizetype j = i; j < text.size(); ++j) {
        if (text.at(j) < QLatin1Char('0') || text.at(j) > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    if (ok)
        value = v;
    return ok;
}
