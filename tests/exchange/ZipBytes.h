#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <zip.h>

#include <cstdint>
#include <utility>
#include <vector>

// Archives the tests build themselves, hostile ones included.
namespace ZipBytes {

inline void Put(QByteArray &out, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

// A local file header with the sizes as given, then `data` as stored.
inline QByteArray LocalEntry(const QByteArray &name, const QByteArray &data, std::uint32_t statedSize,
                             std::uint16_t flags = 0)
{
    QByteArray out("PK\3\4");
    Put(out, 20, 2);
    Put(out, flags, 2);
    Put(out, 0, 2);
    Put(out, 0, 4);
    Put(out, 0, 4);
    Put(out, statedSize, 4);
    Put(out, statedSize, 4);
    Put(out, std::uint32_t(name.size()), 2);
    Put(out, 0, 2);
    return out + name + data;
}

inline QByteArray EndRecord()
{
    QByteArray out("PK\5\6");
    out.append(18, '\0');
    return out;
}

inline void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

inline QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

struct TEntry {
    QByteArray Name;
    QByteArray Data;
    bool Stored = false;
    bool SymLink = false;
    bool Encrypted = false;
};

// A real archive written by libzip with the names taken as they are.
inline bool Build(const QString &path, const std::vector<TEntry> &entries)
{
    int error = 0;
    zip_t *za = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!za)
        return false;
    for (const TEntry &e : entries) {
        zip_source_t *src = zip_source_buffer(za, e.Data.constData(), zip_uint64_t(e.Data.size()), 0);
        const zip_int64_t i = zip_file_add(za, e.Name.constData(), src, ZIP_FL_ENC_RAW);
        if (i < 0)
            return zip_discard(za), false;
        zip_set_file_compression(za, zip_uint64_t(i), e.Stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 9);
        if (e.SymLink)
            zip_file_set_external_attributes(za, zip_uint64_t(i), 0, ZIP_OPSYS_UNIX, (0120777u) << 16);
        if (e.Encrypted && zip_file_set_encryption(za, zip_uint64_t(i), ZIP_EM_AES_256, "secret") != 0)
            return zip_discard(za), false;
    }
    return zip_close(za) == 0;
}

} // namespace ZipBytes
