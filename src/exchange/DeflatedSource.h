#pragma once

#include <QByteArray>

#include <sys/stat.h>
#include <zip.h>

#include <cstdint>

// A libzip source of data deflated already, so that the archive takes the
// bytes as they are instead of compressing them again. `crc` is that of
// the data before deflating; `file` tells its size, time and mode. Null
// when libzip refuses it.
zip_source_t *DeflatedSource(zip *archive, QByteArray deflated, std::uint32_t crc, const struct stat &file);
