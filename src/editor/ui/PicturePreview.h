#pragma once

#include "sprites/Sprite.h"

#include <QColor>
#include <QWidget>

class QTimer;

// Shows one picture on a backdrop, centred, see-through parts transparent.
// An animated picture steps at the game's tick, with the picture's own
// delay, only while playing; it repeats only while looping.
class TPicturePreview : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TickMs = 100;

    explicit TPicturePreview(QWidget *parent = nullptr);

    // Starts the picture again at its first frame.
    void SetPicture(const TPicture &picture, int delay = 0, bool loop = true);
    void SetDelay(int delay) { mSprite.SetAnimationDelay(delay); }
    void SetLoop(bool loop);
    void SetPlaying(bool playing);
    void SetBackdrop(const QColor &colour);
    // Shows nothing but this colour (Background given as a colour).
    void SetSolid(const QColor &colour);
    // The widget takes the picture's size (inside a scroll area).
    void SetSizeToPicture(bool on) { mSizeToPicture = on; }

    bool Running() const;
    int Frame() const { return mSprite.Frame(); }
    const TPicture &Picture() const { return mSprite.Picture(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Tick();
    void UpdateTimer();

    TSprite mSprite;
    QTimer *mTimer = nullptr;
    QColor mBackdrop = Qt::white;
    QColor mSolid;
    bool mPlaying = true;
    bool mSizeToPicture = false;
};
