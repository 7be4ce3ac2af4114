#pragma once

#include "support/TempDir.h"

#include "design/GamePar.h"
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

    // A run-length BMP that declares its size and holds no rows: a few bytes
    // that decode to width x height pixels.
    static void WriteRleBmp(const QString &path, int width, int height)
    {
        QByteArray bmp(62, '\0');
        auto put = [&bmp](int at, quint32 v, int bytes) {
            for (int i = 0; i < bytes; ++i)
                bmp[at + i] = char((v >> (8 * i)) & 0xFF);
        };
        bmp[0] = 'B';
        bmp[1] = 'M';
        put(2, 64, 4);
        put(10, 62, 4);
        put(14, 40, 4);
        put(18, quint32(width), 4);
        put(22, quint32(height), 4);
        put(26, 1, 2);
        put(28, 8, 2);
        put(30, 1, 4);      // run-length, 8 bits
        put(34, 2, 4);
        put(46, 2, 4);      // two palette entries
        put(58, 0xFFFFFF, 4);
        bmp.append("\x00\x01", 2); // end of bitmap
        WriteText(path, bmp);
    }

    // A GIF whose frames declare the given size but carry no real data.
    static void WriteGifDeclaring(const QString &path, int width, int height, int frames)
    {
        QByteArray gif("GIF89a");
        auto word = [&gif](int v) { gif.append(char(v & 0xFF)).append(char(v >> 8)); };
        word(width);
        word(height);
        gif.append("\x80\x00\x00", 3);                 // global table of two colours
        gif.append("\x00\x00\x00\xFF\xFF\xFF", 6);
        for (int f = 0; f < frames; ++f) {
            gif.append("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8); // delay
            gif.append(',');
            word(0);
            word(0);
            word(width);
            word(height);
            gif.append("\x00\x02\x02\x4C\x01\x00", 6);   // no local table, tiny data
        }
        gif.append(';');
        WriteText(path, gif);
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

// The error that loading design `name` raises, or "loaded".
inline QString LoadErrorOf(const TDesignRoot &root, const QString &name)
{
    TGamePar par(root.Root());
    try {
        par.Load(name);
    } catch (const EDesignError &e) {
        return QString::fromUtf8(e.what());
    } catch (const std::exception &e) {
        return QStringLiteral("not a design error: ") + QString::fromUtf8(e.what());
    }
    return QStringLiteral("loaded");
}
