#pragma once

// A GIF writer of the tests' own, independent of the codec under test: it
// sends a clear code before every pixel, so every code keeps one width and
// no string table is needed.

#include <QByteArray>
#include <QRgb>
#include <QVector>

#include <vector>

struct TRawFrame
{
    int Left = 0, Top = 0, Width = 0, Height = 0;
    QByteArray Indices;
    QVector<QRgb> Local;
    int Transparent = -1;
    int Delay = 0;
    int Disposal = 0;
    bool Interlaced = false;
    bool Control = true;
    int CodeSize = 0;   // LZW minimum code size; 0: the smallest the table allows
};

inline void PutWord(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

inline int TableBits(int count)
{
    int bits = 1;
    while ((1 << bits) < count)
        ++bits;
    return bits;
}

inline void PutTable(QByteArray &out, const QVector<QRgb> &table)
{
    const int size = 1 << TableBits(int(table.size()));
    for (int i = 0; i < size; ++i) {
        const QRgb c = i < table.size() ? table[i] : 0;
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
}

inline QByteArray RawGif(int width, int height, const QVector<QRgb> &global,
                         const std::vector<TRawFrame> &frames, int loop = -1,
                         bool terminator = true)
{
    QByteArray out("GIF89a");
    PutWord(out, width);
    PutWord(out, height);
    out.append(char(global.isEmpty() ? 0 : 0x80 | 0x70 | (TableBits(int(global.size())) - 1)));
    out.append('\0');
    out.append('\0');
    if (!global.isEmpty())
        PutTable(out, global);
    if (loop >= 0) {
        out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
        PutWord(out, loop);
        out.append('\0');
    }
    for (const TRawFrame &f : frames) {
        if (f.Control) {
            out.append("\x21\xF9\x04", 3);
            out.append(char((f.Disposal << 2) | (f.Transparent >= 0 ? 1 : 0)));
            PutWord(out, f.Delay);
            out.append(char(f.Transparent >= 0 ? f.Transparent : 0));
            out.append('\0');
        }
        out.append(',');
        PutWord(out, f.Left);
        PutWord(out, f.Top);
        PutWord(out, f.Width);
        PutWord(out, f.Height);
        const QVector<QRgb> &table = f.Local.isEmpty() ? global : f.Local;
        const int bits = TableBits(int(table.size()));
        out.append(char((f.Local.isEmpty() ? 0 : 0x80 | (bits - 1)) | (f.Interlaced ? 0x40 : 0)));
        if (!f.Local.isEmpty())
            PutTable(out, f.Local);

        std::vector<int> rows;
        if (f.Interlaced) {
            const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < f.Height; y += step[pass])
                    rows.push_back(y);
        } else {
            for (int y = 0; y < f.Height; ++y)
                rows.push_back(y);
        }
        const int minCode = f.CodeSize ? f.CodeSize : bits < 2 ? 2 : bits;
        const int codeWidth = minCode + 1;
        const int clear = 1 << minCode;
        QByteArray data;
        unsigned accumulator = 0;
        int filled = 0;
        auto put = [&](int code) {
            accumulator |= unsigned(code) << filled;
            filled += codeWidth;
            while (filled >= 8) {
                data.append(char(accumulator & 0xFF));
                accumulator >>= 8;
                filled -= 8;
            }
        };
        for (int y : rows)
            for (int x = 0; x < f.Width; ++x) {
                put(clear);
                put(uchar(f.Indices[y * f.Width + x]));
            }
        put(clear + 1);
        if (filled > 0)
            data.append(char(accumulator & 0xFF));
        out.append(char(minCode));
        for (qsizetype i = 0; i < data.size(); i += 255) {
            const qsizetype n = qMin<qsizetype>(255, data.size() - i);
            out.append(char(n));
            out.append(data.mid(i, n));
        }
        out.append('\0');
    }
    if (terminator)
        out.append(';');
    return out;
}
