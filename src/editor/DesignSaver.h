#pragma once

#include <QString>

class TGamePar;
class TPhotoList;
class TSoundFiles;

// Writes the edited design as a design folder: pictures, photos, sounds,
// key list, then the reduction to what differs from Default. Everything is
// written into a staged folder and swapped in only when all of it worked;
// on failure the design folder on disk, the design's name, folder, numbers
// and key list and the photo list are as they were, and the error goes on.
class TDesignSaver
{
public:
    TDesignSaver(TGamePar &design, TPhotoList &photos, const TSoundFiles &sounds)
        : mDesign(design), mPhotos(photos), mSounds(sounds) {}

    // `inPlace`: the design's own folder is rewritten, so files the save
    // does not write (the title pictures) stay. Otherwise the folder ends
    // up holding only what this save wrote.
    void Save(const QString &name, bool inPlace, int photoSize);

private:
    void WriteAll(int photoSize);

    TGamePar &mDesign;
    TPhotoList &mPhotos;
    const TSoundFiles &mSounds;
};
