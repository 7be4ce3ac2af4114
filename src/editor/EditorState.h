#pragma once

#include "editor/ImageSlots.h"
#include "editor/SoundFiles.h"
#include "sprites/Picture.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class TGamePar;
class TPhotoList;

// One of the pictures as the editor may change it.
struct TPictureState
{
    TPicture Picture;
    int Delay = 0;
    bool Loop = true;
    // The file it was loaded from in the editor; empty: the design's own.
    QString Source;
    // What it was fitted to the play field from; empty: it keeps its size.
    TPicture FitSource;
};

// Everything in the design that the editor's commands change, held so
// that a change can be undone: pictures share their pixels, so a copy
// costs little however large they are.
struct TEditorState
{
    std::array<TPictureState, TImageSlots::Count> Pictures;
    QString BackgroundColor, Author, Info;
    QStringList Photos, PhotoNames;
    std::array<QString, TSoundFiles::Count> Sounds;
    TImageSlots::TMadeTitles MadeTitles;
    // The original of the current picture, from which a resize starts.
    TPicture Original;

    // What the editor holds now.
    static TEditorState Of(const TGamePar &design, const TImageSlots &images, const TPhotoList &photos,
                           const TSoundFiles &sounds);
    // Puts it back; picture `slot` (-1: none) is shown again, resized
    // from its original from then on.
    void ApplyTo(TGamePar &design, TImageSlots &images, TPhotoList &photos, TSoundFiles &sounds, int slot) const;

    // Equal when nothing the design saves differs; the original is only
    // what the next resize starts from.
    bool SameDesignAs(const TEditorState &other) const;
    // Every file the state names: photos and sounds.
    void RenameFiles(const std::function<QString(const QString &)> &rename);
};
