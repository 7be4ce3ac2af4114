#pragma once

#include "design/DesignRoots.h"

#include <QImage>
#include <QSize>
#include <QString>

// What the gallery shows of a design besides its name.
struct TDesignPreview
{
    QImage Image;
    QString Author;
};

// Draws a small picture of a design from its own files, as a player would
// meet it: the background, a row of its ships (its photos when it has
// some), its homes and its cannon, and its first title picture when it
// has titles of its own, the whole field reduced to fit. No
// widgets: it runs on a worker thread.
class TDesignPreviewMaker
{
public:
    // The largest a preview is; its side ratio is the design's field's.
    static constexpr QSize MaxSize{160, 120};

    explicit TDesignPreviewMaker(TDesignRoots roots);

    // Never fails: a picture that is missing, broken or beyond the
    // design's budget is left out, so a damaged design still gets a
    // preview, if only of its background.
    TDesignPreview Make(const QString &name) const;

private:
    TDesignRoots mRoots;
};
