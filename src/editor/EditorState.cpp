#include "editor/EditorState.h"

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
           && Photos == other.Photos && Sounds == other.Sounds;
}

void TEditorState::RenameFiles(const std::function<QString(const QString &)> &rename)
{
    for (QString &photo : Photos)
        photo = rename(photo);
    for (QString &sound : Sounds)
        sound = rename(sound);
}
