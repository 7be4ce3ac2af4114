#pragma once

#include "sprites/ui/FramePresenter.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QPainter>
#include <QWidget>

#include <memory>
#include <vector>

// Shows a sprite field: a background and the field's sprites, drawn into an
// off-screen image after each step of the field and shown. The box has a
// field of its own until it is given one to show (SetField); the sprite
// calls below go to the field it shows.
class TSpriteBox : public QWidget
{
    Q_OBJECT

public:
    explicit TSpriteBox(QWidget *parent = nullptr);
    ~TSpriteBox() override;

    const QImage &Image() const { return mImage; }
    // A null image empties the background picture.
    void SetImage(const QImage &image);
    const QImage &Background() const;
    const QImage &BackBuffer() const
    {
        EnsureBackground();
        return mBackBuffer;
    }
    QColor Color() const { return mColor; }
    void SetColor(const QColor &color);
    bool Center() const { return mCenter; }
    void SetCenter(bool center);
    bool Stretch() const { return mStretch; }
    void SetStretch(bool stretch);
    // The size the field is drawn at; the box shows it scaled to fit its
    // own size. Empty (the default): the field follows the box's size.
    QSize FieldSize() const { return mFieldSize.isEmpty() ? size() : mFieldSize; }
    void SetFieldSize(QSize size);
    // How the field is enlarged to the box: to fill it, or by whole factors only.
    TScaling Scaling() const { return mScaling; }
    void SetScaling(TScaling scaling);
    // The field shown from now on; null, or the field going: the box's own
    // field again. The box shows or hides itself as the field is shown or
    // hidden.
    void SetField(TSpriteField *field);
    TSpriteField &Field() const { return *mField; }
    void SetBeforeSprtMove(TSpriteEvent handler) { mField->SetBeforeSprtMove(std::move(handler)); }
    void SetAfterSprtMove(TSpriteEvent handler) { mField->SetAfterSprtMove(std::move(handler)); }

    void AddSprite(TSprite *sprite) { mField->AddSprite(sprite); }
    void RemoveSprite(TSprite *sprite) { mField->RemoveSprite(sprite); }
    int SpriteCount() const { return mField->SpriteCount(); }
    TSprite *Sprite(int index) const { return mField->Sprite(index); }

    // Steps the field: moves every enabled sprite, then draws the enabled
    // ones over the background into BackBuffer and has it shown.
    void Step();
    // A tick begins: in-between frames start over from its beginning.
    void BeginTick() { mFraction = 0.0; }
    // Draws the background and the sprites the last step drew into
    // BackBuffer, each `fraction` (0..1) of its way from where the step
    // before drew it, and has it shown. Moves nothing and fires nothing.
    void DrawFrame(double fraction);
    // Smooth: Step draws at the fraction last drawn (0 as a tick begins)
    // rather than at the sprites' own places, so frames never run ahead.
    bool Smooth() const { return mSmooth; }
    void SetSmooth(bool smooth) { mSmooth = smooth; }

    // The first enabled sprite of `kind` whose rectangle overlaps `rect`.
    TSprite *FindSprite(int32_t kind, const TSpriteRect &rect) const
    {
        return mField->FindSprite(kind, rect);
    }
    // The background is built anew (colour, picture) when next needed, so
    // a hidden box or a run of setters costs nothing.
    void UpdateBackground();

    // How many Steps have run, counting those set off by repaints.
    qint64 StepCount() const { return mStepCount; }

Q_SIGNALS:
    // A click with the left button: pressed and released over the box.
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Draws the frame of a step the field just made.
    void Stepped();
    void LetGoOfField();
    void EnsureBackground() const;
    void BuildBackground();
    // BackBuffer becomes the background again, built first when stale.
    void ResetBackBuffer();
    void CopyBackground();
    void RestoreBackground(const std::vector<TFramePresenter::TDrawnSprite> &sprites);
    void NoteStepPlaces();
    // The enabled sprites where they stand.
    void DrawSprites();
    // The sprites the last step drew, `fraction` of their way.
    void DrawSprites(double fraction);
    QPainter &BackPainter();
    void EndPainting();
    void NoteDrawn(const TSprite &sprite, QPoint at);
    // Has the part of the box repainted that the frames drawn since last changed.
    void UpdateField();

    QImage mImage;
    QImage mBackground;
    QImage mBackBuffer;
    QSize mFieldSize;
    // Kept open on BackBuffer between frames: opening a painter allocates.
    // Declared after it, so it closes before the image goes.
    QPainter mPainter;
    bool mBackgroundStale = true;
    // What the background was last built for; plain: no picture, the
    // colour alone, so that no background image need be kept.
    QSize mBuiltSize;
    bool mPlain = true;
    QColor mColor = Qt::black;
    bool mCenter = true;
    bool mStretch = false;
    TSpriteField mOwnField;
    TSpriteField *mField = &mOwnField;
    // Set when a finished frame is to be shown: that repaint only presents
    // BackBuffer, or each frame would ask for the next.
    bool mPresentPending = false;
    // What the paint event under way repaints anyway.
    QRegion mPainted;
    bool mPressed = false;
    bool mSmooth = false;
    TScaling mScaling = TScaling::Fill;
    // Shown since the last step: what the sprites' records hold is stale.
    bool mAwaitingStep = false;
    double mFraction = 0.0;
    qint64 mStepCount = 0;
    TFramePresenter mPresenter;
};
