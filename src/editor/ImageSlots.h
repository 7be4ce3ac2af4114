#pragma once

#include "sprites/Picture.h"

#include <QColor>
#include <QSize>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class TGamePar;

// What the Images page shows for the current picture after a refresh.
struct TImageView
{
    // Background with a colour: the page shows only that colour.
    std::optional<QColor> Colour;
    QString FileLabel;   // the file the picture comes from, relative to the design root
    TPicture InGame;     // the picture as the game shows it
    bool Animated = false;
    int LongerSide = 0;
    QString SizeLabel;   // "width x height"
    int Delay = 0;
    bool Loop = true;
    // Offered when the picture is larger than its place needs, or for the
    // Background not the field's size: the size Fit gives it.
    std::optional<QSize> FitTo;
    // Beyond the largest play field the game shows.
    bool BeyondField = false;
};

// The pictures of the design (Background .. CanonExplode, then the
// game-over and the three title pictures): choosing one, its animation
// settings, resizing, loading and undoing, and the background colour.
// Every resize starts from the original, the picture as it was when chosen
// or loaded, so repeated resizes lose nothing. A Background fitted to the
// play field keeps the picture it was fitted from and follows the field.
class TImageSlots
{
public:
    static constexpr int Count = 13;
    static constexpr int GameOver = 9;
    static constexpr int FirstTitle = 10;
    // White, black, silver, gray, red, blue, green, yellow, as stored in
    // BackgroundColor (0x00BBGGRR in decimal).
    static constexpr int FieldColours[8] = {16777215, 0, 12632256, 8421504, 255, 16711680, 32768, 65535};

    TImageSlots(TGamePar &design, bool &modified);
    // The play field the design will have when saved; the stored one until set.
    void SetFieldSource(std::function<QSize()> field) { mField = std::move(field); }
    QSize Field() const { return mField(); }

    // -1: none; then the commands on the current picture do nothing.
    int Current() const { return mCurrent; }
    // Makes picture `index` current and refreshes the view.
    void Select(int index);
    void Refresh();
    const TImageView &View() const { return mView; }
    const TPicture &Original() const { return mOriginal; }
    // The backdrop of both previews.
    const QColor &Backdrop() const { return mBackdrop; }

    void SetLoop(bool loop);
    // Not a number counts as 0.
    void SetDelay(const QString &text);
    // Makes the current picture a still bitmap whose longer side is the
    // size in `sizeText` (the current size when it is not a number).
    void Resize(const QString &sizeText);
    // One of the colour fields, or a colour the user chose: the backdrop,
    // and for Background its BackgroundColor.
    void PickColour(const QColor &colour);
    // Replaces the current picture by the file, at full size. A file that
    // cannot be read raises the reader's error and changes nothing.
    void LoadFile(const QString &path);
    // Reads the current picture again from the file the design resolves it to.
    void Undo();
    // Resizes the current picture from its original to View().FitTo: the
    // Background to the play field, others to the picture a load replaced.
    void Fit();
    // Another design: no picture was replaced yet; a Background of the
    // field's size counts as fitted to it.
    void Forget();
    // Fits again, from the picture it was fitted from, a Background that
    // was fitted to the field and is no longer its size; false when none is.
    bool NeedsToFollowField() const;
    void FollowField();
    // The picture slot `index` was fitted to the field from; empty when
    // it does not follow the field.
    const TPicture &FitSource(int index) const { return mFitSource.at(std::size_t(index)); }
    void SetFitSource(int index, const TPicture &source) { mFitSource.at(std::size_t(index)) = source; }
    // What "Make title" drew last: its text, the field it was drawn for
    // and the three pictures, which follow the field while they are shown.
    struct TMadeTitles
    {
        QString Text;
        QSize Field;
        std::array<TPicture, 3> Pictures;
    };
    // The title pictures, one undoable change: each a picture of its own
    // with its frame delay; `made` says how they were drawn.
    void SetTitles(const std::array<TPicture, 3> &titles, int delay, const TMadeTitles &made = {});
    const TMadeTitles &MadeTitles() const { return mMadeTitles; }
    void SetMadeTitles(const TMadeTitles &made) { mMadeTitles = made; }
    // Made titles still shown, drawn for another field than the design's.
    bool TitlesNeedToFollowField() const;
    // Saved: every picture comes from the design's own file now.
    void Saved();
    // The file picture `index` was loaded from in this editor; empty when
    // it is the design's own.
    const QString &Source(int index) const { return mSource.at(std::size_t(index)); }
    void SetSource(int index, const QString &path) { mSource.at(std::size_t(index)) = path; }
    // After an undo: picture `index` (or, for -1, the current one) is
    // shown again, resized from `original`.
    void Restore(int index, const TPicture &original);

    static int ColourValue(const QColor &colour);
    static QColor ColourOf(int value);

private:
    bool HasCurrent() const { return mCurrent >= 0 && mCurrent < Count; }
    std::optional<QSize> FitSize(QSize size) const;

    TGamePar &mDesign;
    bool &mModified;
    int mCurrent = -1;
    TImageView mView;
    TPicture mOriginal;
    QColor mBackdrop = Qt::white;
    bool mRefreshing = false;
    bool mKeepOriginal = false;
    // The longer side of the picture the first load replaced, per slot; 0: none.
    std::array<int, Count> mReplacedSide{};
    std::array<QString, Count> mSource;
    std::array<TPicture, Count> mFitSource;
    TMadeTitles mMadeTitles;
    std::function<QSize()> mField;
};
