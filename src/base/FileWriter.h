#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

// A file that could not be written; the message names the file and the
// cause in words a player understands ("the disk is full").
class EWriteError : public std::runtime_error
{
public:
    explicit EWriteError(const QString &message, int code = 0, QString path = {})
        : std::runtime_error(message.toStdString()), mCode(code), mPath(std::move(path)) {}
    // The errno value behind it; 0 when none.
    int Code() const { return mCode; }
    // The file that could not be written; empty when not known.
    const QString &Path() const { return mPath; }

private:
    int mCode;
    QString mPath;
};

// Writes one file whole or not at all: the bytes go to a new hidden file
// beside the target, and Commit flushes them to the disk and renames that
// file over the target. Until Commit returns, and whenever anything fails,
// the target keeps its old bytes; every failure raises EWriteError.
class TFileWriter
{
public:
    // The new file takes `mode` when given, else an existing file's mode.
    explicit TFileWriter(const QString &path, int mode = -1);
    // Removes the hidden file unless it was committed.
    ~TFileWriter();
    TFileWriter(const TFileWriter &) = delete;
    TFileWriter &operator=(const TFileWriter &) = delete;

    void Write(const char *data, qint64 size);
    void Write(const QByteArray &bytes) { Write(bytes.constData(), bytes.size()); }
    void Commit();

private:
    [[noreturn]] void Fail(int error);

    QString mPath;
    QByteArray mTempName;
    int mFd = -1;
};

// Why a write failed with `error` (an errno value), as a player reads it.
QString WriteErrorText(int error);
// "Cannot save "<path>": <why>." for an errno value.
EWriteError WriteFailure(const QString &path, int error);

enum class WriteFallback { None, InPlace };
// The whole of `bytes` as the file at `path`, through TFileWriter. With
// InPlace, an existing file whose folder refuses a new file beside it (a
// read-only folder holding a writable file) is rewritten where it stands,
// its space reserved first so that a full disk cannot cut it short.
void WriteFileAtomic(const QString &path, const QByteArray &bytes,
                     WriteFallback fallback = WriteFallback::None);
void WriteTextFileAtomic(const QString &path, const QString &text);
// Copies a regular file, with its permissions, through TFileWriter.
void CopyFileAtomic(const QString &from, const QString &to);
// Deletes the hidden files that writers of `path` killed before their
// rename left beside it. Only for a caller that knows no one writes `path`
// now (it holds the folder's lock).
void RemoveLeftoverParts(const QString &path);
// Creates `dir` and every missing folder above it: 0, or the errno value
// of the step that failed, so that a caller can say why.
int MakeFolderPath(const QString &dir);
// Flushes a folder's entries (a rename inside it) to the disk.
void SyncFolder(const QString &dir);
