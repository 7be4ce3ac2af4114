#pragma once

#include "support/TempDir.h"

#include "gif/GifImage.h"

#include <QImage>

// A scratch design root with a tiny Default design whose pictures can be
// told apart by their size: Default's BMP i is (10 + i) x (20 + i).
class TDesignRoot
{
public:
    TDesignRoot() { QDir().mkpath(Root()); }

    QString Root() const { return mTemp.Path() + QStringLiteral("/design/"); }
    QString Dir(const QString &name) const { return Root() + name + QLatin1Char('/'); }

    static void WriteBmp(const QString &path, int width, int height, QRgb color = qRgb(200, 50, 50))
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(color);
        image.save(path, "BMP");
    }

    static void WriteGif(const QString &path, int width, int height, int frames)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        TGifImage gif(width, height, {qRgb(0, 0, 0), qRgb(255, 255, 0)});
        for (int f = 0; f < frames; ++f)
            gif.AddFrame(0, 0, width, height, QByteArray(width * height, char(f % 2)), {}, -1, 10, 2);
        gif.SaveToFile(path);
    }

    static void WriteText(const QString &path, const QByteArray &text)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }

    // Default with pictures 0..12 as BMPs and seven sounds.
    void MakeDefault(const QString &folderName = QStringLiteral("Default")) const
    {
        for (int i = 0; i <= 12; ++i)
            WriteBmp(Dir(folderName) + QStringLiteral("Image%1.bmp").arg(i), 10 + i, 20 + i);
        for (int n = 1; n <= 7; ++n)
            WriteText(Dir(folderName) + QStringLiteral("Sound%1.wav").arg(n), "default sound " + QByteArray::number(n));
        WriteText(Dir(folderName) + QStringLiteral("!design.ini"), "Version=Banana\r\n");
    }

    bool Exists(const QString &design, const QString &file) const
    {
        return QFileInfo::exists(Dir(design) + file);
    }

private:
    TempDir mTemp;
};
