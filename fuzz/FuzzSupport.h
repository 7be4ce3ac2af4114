#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Shared by every fuzz target: a Qt application on the offscreen platform
// (pictures and widgets need one) and a scratch folder for the files the
// readers under test insist on opening by path.

// Creates the application once; call from LLVMFuzzerInitialize.
void FuzzInitQt(int *argc, char ***argv);
// A folder that lives as long as the process.
const QString &FuzzScratchDir();
// Writes `bytes` to `name` in the scratch folder and returns its path.
QString FuzzWriteFile(const QString &name, const QByteArray &bytes);
inline QByteArray FuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}
