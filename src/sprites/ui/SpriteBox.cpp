#include "sprites/ui/SpriteBox.h"

#include "base/ErrorReport.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>

TSpriteBox::TSpriteBox(QWidget *parent) : QWidget(parent)
{
    // Every pixel is painted each time, so the system need not erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(105, 105);
    SetField(nullptr);
    UpdateBackground();
}

TSpriteBox::~TSpriteBox()
{
    // A field given to the box lives on; it must not call a box that went.
    LetGoOfField();
}

void TSpriteBox::SetField(TSpriteField *field)
{
    LetGoOfField();
    mField = field ? field : &mOwnField;
    mField->SetOnStepped([this] { Stepped(); });
    mField->SetOnShown([this](bool shown) { setVisible(shown); });
    // Whichever goes first, the box or the field, neither keeps the other.
    mField->SetOnGone([this] { SetField(nullptr); });
}

void TSpriteBox::LetGoOfField()
{
    mField->SetOnStepped(nullptr);
    mField->SetOnShown(nullptr);
    mField->SetOnGone(nullptr);
}

void TSpriteBox::SetImage(const QImage &image)
{
    mImage = image;
    UpdateBackground();
}

void TSpriteBox::SetColor(const QColor &color)
{
    if (color == mColor)
        return;
    mColor = color;
    UpdateBackground();
}

void TSpriteBox::SetCenter(bool center)
{
    if (center == mCenter)
        return;
    mCenter = center;
    UpdateBackground();
}

void TSpriteBox::SetStretch(bool stretch)
{
    if (stretch == mStretch)
        return;
    mStretch = stretch;
    UpdateBackground();
}

void TSpriteBox::SetScaling(TScaling scaling)
{
    if (scaling == mScaling)
        return;
    mScaling = scaling;
    mPresenter.Invalidate();
    update();
}

void TSpriteBox::SetFieldSize(QSize size)
{
    if (size == mFieldSize)
        return;
    mFieldSize = size;
    UpdateBackground();
}

void TSpriteBox::UpdateBackground()
{
    mBackgroundStale = true;
    update();
}

void TSpriteBox::EnsureBackground() const
{
    // Building changes no observable state, so the accessors may do it.
    if (mBackgroundStale)
        const_cast<TSpriteBox *>(this)->BuildBackground();
}

const QImage &TSpriteBox::Background() const
{
    EnsureBackground();
    // A plain background is only made into a picture for those who ask.
    if (mPlain && mBackground.size() != mBuiltSize) {
        auto &background = const_cast<QImage &>(mBackground);
        background = QImage(mBuiltSize, QImage::Format_RGB32);
        background.fill(mColor);
    }
    return mBackground;
}

void TSpriteBox::BuildBackground()
{
    mBackgroundStale = false;
    mPresenter.Invalidate();
    mBuiltSize = FieldSize();
    mPlain = mImage.width() <= 0 || mImage.height() <= 0;
    if (mBuiltSize.isEmpty()) {
        mBackground = QImage();
        EndPainting();
        mBackBuffer = QImage();
        return;
    }
    if (mPlain) {
        // Each frame starts from the colour alone: no picture to keep.
        mBackground = QImage();
    } else {
        if (mBackground.size() != mBuiltSize)
            mBackground = QImage(mBuiltSize, QImage::Format_RGB32);
        mBackground.fill(mColor);
        QRect target(QPoint(0, 0), mImage.size());
        if (mStretch)
            target = QRect(QPoint(0, 0), mBuiltSize);
        else if (mCenter)
            target.moveTo((mBuiltSize.width() - mImage.width()) / 2,
                          (mBuiltSize.height() - mImage.height()) / 2);
        QPainter painter(&mBackground);
        painter.drawImage(target, mImage);
    }
    CopyBackground();
}

void TSpriteBox::Step()
{
    mField->Step();
}

void TSpriteBox::Stepped()
{
    ResetBackBuffer();
    mAwaitingStep = false;
    ++mStepCount;
    NoteStepPlaces();
    if (mSmooth)
        DrawSprites(mFraction);
    else
        DrawSprites();
    UpdateField();
}

// Only what sprites left or reached changes from frame to frame; the rest
// of the field and the bars around it stay as the last repaint left them
// (at 4K they are millions of pixels).
void TSpriteBox::UpdateField()
{
    mPresenter.KeepChangedTiles(mBackBuffer);
    // A repaint that stepped shows its own area; the rest follows as a frame to present.
    mPresenter.TakeChanged(size(), devicePixelRatioF(), mScaling, [this](const QRect &changed) {
        if (changed.isEmpty() || mPainted.contains(changed))
            return;
        mPresentPending = true;
        update(changed);
    });
}

void TSpriteBox::NoteStepPlaces()
{
    for (TSprite *sprite : mField->Sprites())
        sprite->NoteStepPlace(sprite->Enabled() && !mBackBuffer.isNull());
}

void TSpriteBox::DrawFrame(double fraction)
{
    // Inside a step the sprites are half moved.
    if (mField->Stepping() || mAwaitingStep)
        return;
    mFraction = std::clamp(fraction, 0.0, 1.0);
    ResetBackBuffer();
    DrawSprites(mFraction);
    // Between steps only places change; most frames of a slow glide move nothing.
    if (mPresenter.SameAsLastFrame())
        return;
    UpdateField();
}

void TSpriteBox::NoteDrawn(const TSprite &sprite, QPoint at)
{
    const int frame = sprite.IsAnimated() ? sprite.Frame() : (sprite.Transparent() ? -1 : -2);
    mPresenter.Drawn(QRect(at, QSize(sprite.Width(), sprite.Height())), sprite.Picture().Identity(),
                     frame);
}

void TSpriteBox::ResetBackBuffer()
{
    // A box resized while hidden gets its resize event only when shown.
    if (mBackgroundStale || mBuiltSize != FieldSize())
        BuildBackground();
    else if (const auto *last = mPresenter.LastFrame(mBuiltSize); last && mBackBuffer.size() == mBuiltSize)
        RestoreBackground(*last);
    else if (!mBuiltSize.isEmpty())
        CopyBackground();
    mPresenter.BeginFrame(mBuiltSize);
}

// Only sprites draw into BackBuffer: where the last frame drew none it
// still shows the background.
void TSpriteBox::RestoreBackground(const std::vector<TFramePresenter::TDrawnSprite> &sprites)
{
    const QRect field(QPoint(0, 0), mBuiltSize);
    const QRgb colour = mColor.rgb();
    const qsizetype stride = mBackBuffer.bytesPerLine();
    auto *bits = const_cast<uchar *>(mBackBuffer.constBits()); // no detach: the painter writes here too
    for (const TFramePresenter::TDrawnSprite &sprite : sprites) {
        const QRect r = sprite.Rect.intersected(field);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(bits + y * stride) + r.left();
            if (mPlain)
                std::fill_n(row, r.width(), colour);
            else
                std::memcpy(row, mBackground.constScanLine(y) + r.left() * 4, std::size_t(r.width()) * 4);
        }
    }
}

// Into the buffer there is, when it fits: no fresh pages to fault in.
void TSpriteBox::CopyBackground()
{
    if (mBackBuffer.size() != mBuiltSize || mBackBuffer.format() != QImage::Format_RGB32) {
        EndPainting();
        mBackBuffer = QImage(mBuiltSize, QImage::Format_RGB32);
    }
    if (mPlain)
        mBackBuffer.fill(mColor);
    else
        std::memcpy(mBackBuffer.bits(), mBackground.constBits(), std::size_t(mBackground.sizeInBytes()));
}

QPainter &TSpriteBox::BackPainter()
{
    if (!mPainter.isActive())
        mPainter.begin(&mBackBuffer);
    return mPainter;
}

void TSpriteBox::EndPainting()
{
    // The image must not be replaced under an open painter.
    if (mPainter.isActive())
        mPainter.end();
}

void TSpriteBox::DrawSprites()
{
    if (mBackBuffer.isNull())
        return;
    QPainter &painter = BackPainter();
    const std::vector<TSprite *> &sprites = mField->Sprites();
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        if (sprites[i]->Enabled()) {
            sprites[i]->DrawOn(painter);
            NoteDrawn(*sprites[i], sprites[i]->Rect().topLeft());
        }
    }
}

void TSpriteBox::DrawSprites(double fraction)
{
    if (mBackBuffer.isNull())
        return;
    QPainter &painter = BackPainter();
    // What changed since the last step shows at the next one, as it would
    // without in-between frames.
    const std::vector<TSprite *> &sprites = mField->Sprites();
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        const TSprite *sprite = sprites[i];
        if (sprite->DrawnInStep()) {
            const QPoint at = sprite->PlaceAt(fraction);
            sprite->DrawAt(painter, at.x(), at.y());
            NoteDrawn(*sprite, at);
        }
    }
}

void TSpriteBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // Uncovered or shown: the window system's repaint also advances the
    // sprites, which starts from the background; a frame ready to show needs
    // only a background that is up to date.
    const bool present = mPresentPending;
    mPresentPending = false;
    if (!present && !mField->Stepping()) {
        mPainted = event->region();
        ErrorReport::Guard([this] { mField->Step(); });
        mPainted = QRegion();
    } else {
        EnsureBackground();
    }
    mPresenter.Present(painter, mBackBuffer, size(), devicePixelRatioF(), mScaling, event->region());
}

void TSpriteBox::mousePressEvent(QMouseEvent *event)
{
    mPressed = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void TSpriteBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = mPressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    mPressed = false;
    QWidget::mouseReleaseEvent(event);
    if (click)
        Q_EMIT Clicked();
}

void TSpriteBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    mPresenter.Invalidate();
    // A field of its own size is only shown at a new scale: the frame stays.
    if (mBuiltSize != FieldSize())
        UpdateBackground();
    else
        update();
}

void TSpriteBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    mPresenter.Invalidate();
    // A frame requested while hidden was never shown; showing is a fresh
    // repaint, whose step must not be pre-empted by a frame of old places.
    mPresentPending = false;
    mAwaitingStep = true;
}
