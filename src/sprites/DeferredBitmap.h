#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

// A bitmap file read only when it is first drawn, so that a design's photos
// take memory only while ships show them. Drawn see-through, it keeps just
// its keyed copy, and of that only the part a field of `field` pixels can
// show: ships never stand left of or above the field's corner.
class TDeferredBitmap
{
public:
    // `size` is what the file's headers declare. A file that cannot be read
    // when drawn, or no longer has that size, draws nothing.
    TDeferredBitmap(QString path, QSize size, QSize field);
    TDeferredBitmap(const TDeferredBitmap &) = delete;
    TDeferredBitmap &operator=(const TDeferredBitmap &) = delete;

    QSize Size() const { return mSize; }
    // The whole bitmap as the file holds it, read and kept on the first call.
    const QImage &Opaque() const;
    void Draw(QPainter &painter, int left, int top, bool transparent) const;

private:
    QImage Read() const;

    QString mPath;
    QSize mSize;
    QSize mField;
    mutable QImage mOpaque;
    mutable QImage mKeyed;
    mutable bool mKeyedMade = false;
};
