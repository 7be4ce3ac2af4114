#include "exchange/DeflatedSource.h"

#include "exchange/ZipLibrary.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

struct TDeflated
{
    QByteArray Bytes;
    std::uint64_t Size = 0;
    std::uint32_t Crc = 0;
    std::time_t Modified = 0;
    std::uint32_t Mode = 0;
    qsizetype Read = 0;
};

zip_int64_t Serve(void *state, void *data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto *deflated = static_cast<TDeflated *>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        deflated->Read = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const qsizetype n = qsizetype(std::min<zip_uint64_t>(length, zip_uint64_t(deflated->Bytes.size() - deflated->Read)));
        std::memcpy(data, deflated->Bytes.constData() + deflated->Read, std::size_t(n));
        deflated->Read += n;
        return n;
    }
    case ZIP_SOURCE_CLOSE:
        return 0;
    case ZIP_SOURCE_STAT: {
        if (length < sizeof(zip_stat_t))
            return -1;
        auto *stat = static_cast<zip_stat_t *>(data);
        TZipLibrary::Get().StatInit(stat);
        stat->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC | ZIP_STAT_MTIME;
        stat->size = deflated->Size;
        stat->comp_size = zip_uint64_t(deflated->Bytes.size());
        stat->comp_method = ZIP_CM_DEFLATE;
        stat->crc = deflated->Crc;
        stat->mtime = deflated->Modified;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_GET_FILE_ATTRIBUTES: {
        // The mode a file added by name gets too.
        if (length < sizeof(zip_file_attributes_t))
            return -1;
        auto *attributes = static_cast<zip_file_attributes_t *>(data);
        attributes->valid |= ZIP_FILE_ATTRIBUTES_HOST_SYSTEM | ZIP_FILE_ATTRIBUTES_EXTERNAL_FILE_ATTRIBUTES;
        attributes->host_system = ZIP_OPSYS_UNIX;
        attributes->external_file_attributes = (deflated->Mode & 0xFFFFu) << 16;
        return sizeof(zip_file_attributes_t);
    }
    case ZIP_SOURCE_ERROR:
        // Reading memory cannot fail: no error to tell.
        if (length < 2 * sizeof(int))
            return -1;
        std::memset(data, 0, 2 * sizeof(int));
        return 2 * sizeof(int);
    case ZIP_SOURCE_FREE: {
        const std::unique_ptr<TDeflated> owned(deflated);
        return 0;
    }
    case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_READABLE | ZIP_SOURCE_MAKE_COMMAND_BITMASK(ZIP_SOURCE_GET_FILE_ATTRIBUTES);
    default:
        return -1;
    }
}

} // namespace

zip_source_t *DeflatedSource(zip *archive, QByteArray deflated, std::uint32_t crc, const struct stat &file)
{
    auto state = std::make_unique<TDeflated>(
        TDeflated{std::move(deflated), std::uint64_t(file.st_size), crc, file.st_mtime, std::uint32_t(file.st_mode), 0});
    zip_source_t *source = TZipLibrary::Get().SourceFunction(archive, Serve, state.get());
    // From here libzip owns it and frees it through ZIP_SOURCE_FREE.
    if (source)
        state.release();
    return source;
}
