#include "editor/EditorState.h"

#include "design/GamePar.h"
#include "editor/PhotoList.h"

namespace {

const QString kBackgroundColor = QStringLiteral("BackgroundColor");
const QString kAuthor = QStringLiteral("Author");
const QString kInfo = QStringLiteral("Info");

} // namespace

TEditorState TEditorState::Of(const TGamePar &design, const TImageSlots &images, const TPhotoList &photos,
                              const TSoundFiles &sounds)
{
    TEditorState state;
    for (int i = 0; i < TImageSlots::Count; ++i) {
        const TSprite &sprite = design.Image(i);
        state.Pictures[std::size_t(i)] = {sprite.Picture(), sprite.AnimationDelay(), sprite.AnimationLoop(),
                                          images.Source(i), images.FitSource(i)};
    }
    const TKeyValueList &params = design.Params();
    state.BackgroundColor = params.Value(kBackgroundColor);
    state.Author = params.Value(kAuthor);
    state.Info = params.Value(kInfo);
    state.Photos = photos.Entries();
    state.PhotoNames = photos.Names();
    for (int n = 1; n <= TSoundFiles::Count; ++n)
        state.Sounds[std::size_t(n - 1)] = sounds.File(n);
    state.MadeTitles = images.MadeTitles();
    state.Original = images.Original();
    return state;
}

void TEditorState::ApplyTo(TGamePar &design, TImageSlots &images, TPhotoList &photos, TSoundFiles &sounds,
                           int slot) const
{
    for (int i = 0; i < TImageSlots::Count; ++i) {
        TSprite &sprite = design.Image(i);
        const TPictureState &picture = Pictures[std::size_t(i)];
        sprite.SetPicture(picture.Picture);
        sprite.SetAnimationDelay(picture.Delay);
        sprite.SetAnimationLoop(picture.Loop);
        images.SetSource(i, picture.Source);
        images.SetFitSource(i, picture.FitSource);
    }
    images.SetMadeTitles(MadeTitles);
    TKeyValueList &params = design.Params();
    params.SetValue(kBackgroundColor, BackgroundColor);
    params.SetValue(kAuthor, Author);
    params.SetValue(kInfo, Info);
    photos.SetEntries(Photos, PhotoNames);
    for (int n = 1; n <= TSoundFiles::Count; ++n)
        sounds.SetFile(n, Sounds[std::size_t(n - 1)]);
    images.Restore(slot, Original);
}

namespace {

bool SamePixels(const TPicture &a, const TPicture &b)
{
    return a.Gif() == b.Gif() && a.IsBitmap() == b.IsBitmap() && &a.Bitmap() == &b.Bitmap();
}

} // namespace

bool TEditorState::SameDesignAs(const TEditorState &other) const
{
    for (std::size_t i = 0; i < Pictures.size(); ++i) {
        const TPictureState &a = Pictures[i], &b = other.Pictures[i];
        if (!SamePixels(a.Picture, b.Picture) || a.Delay != b.Delay || a.Loop != b.Loop)
            return false;
    }
    return BackgroundColor == other.BackgroundColor && Author == other.Author && Info == other.Info
           && Photos == other.Photos && PhotoNames == other.PhotoNames && Sounds == other.Sounds;
}

void TEditorState::RenameFiles(const std::function<QString(const QString &)> &rename)
{
    for (QString &photo : Photos)
        photo = rename(photo);
    for (QString &sound : Sounds)
        sound = rename(sound);
}
