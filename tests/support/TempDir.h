#pragma once

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>

// A scratch folder that disappears with the test.
class TempDir
{
public:
    QString Path() const { return mDir.path(); }
    QString File(const QString &name) const { return mDir.filePath(name); }

    QString Write(const QString &name, const QByteArray &bytes) const
    {
        const QString path = File(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    // The files of folder `from` as the folder `name` here.
    void CopyFolder(const QString &from, const QString &name) const
    {
        QDir().mkpath(File(name));
        for (const QString &file : QDir(from).entryList(QDir::Files))
            QFile::copy(from + QLatin1Char('/') + file, File(name + QLatin1Char('/') + file));
    }

    QByteArray Read(const QString &name) const
    {
        QFile f(File(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private:
    QTemporaryDir mDir;
};
