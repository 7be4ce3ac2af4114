#include "game/PlayArea.h"

#include "game/FieldBackground.h"
#include "game/FieldSign.h"
#include "game/FieldSigns.h"
#include "game/ScreenMode.h"

#include "design/GamePar.h"
#include "play/GameCycle.h"
#include "sprites/ui/SpriteBox.h"

#include <QMainWindow>

TPlayArea::TPlayArea(QMainWindow &window, TScreenActions actions, TKeyValueList &settings,
                     TMessageLookup messages)
    : QWidget(&window)
    , mMessages(std::move(messages))
{
    mPlayBox = new TSpriteBox(this);
    mPlayBox->setObjectName(QStringLiteral("PlayBox"));
    mAttractBox = new TSpriteBox(this);
    mAttractBox->setObjectName(QStringLiteral("AttractBox"));
    mAttractBox->SetColor(Qt::white);
    for (TSpriteBox *box : {mPlayBox, mAttractBox})
        box->setFocusPolicy(Qt::NoFocus);
    mScreen = new TScreenMode(window, *this, {mPlayBox, mAttractBox}, actions, settings);
    mSigns = new TFieldSigns(*this, mMessages);
    mScreen->OnResized = [this] { Resized(); };
}

void TPlayArea::ShowFields(TGameCycle &cycle)
{
    mPlayBox->SetField(&cycle.PlayField());
    mAttractBox->SetField(&cycle.AttractField());
}

void TPlayArea::ReadSettings()
{
    mScreen->ReadSettings();
}

void TPlayArea::HideBoxes()
{
    mPlayBox->hide();
    mAttractBox->hide();
}

void TPlayArea::ShowDesign(const TGamePar &design)
{
    mScreen->SetFieldSize(QSize(design.ClientWidth(), design.ClientHeight()));
    ShowBackground(*mPlayBox, design);
}

void TPlayArea::ShowPaused(bool shown)
{
    if (!shown) {
        if (mPausedLabel)
            mPausedLabel->hide();
        return;
    }
    if (!mPausedLabel)
        mPausedLabel = new TFieldSign(this, QStringLiteral("PausedLabel"));
    mPausedLabel->ShowOver(mPlayBox->geometry(),
                           mMessages(mPadInput ? QStringLiteral("PausedPad") : QStringLiteral("Paused")));
}

void TPlayArea::ShowEvents(const TTickResult &result, bool demoRunning)
{
    mSigns->Follow(result, demoRunning, mPlayBox->geometry());
}

void TPlayArea::ShowReplay(const QString &sign)
{
    mSigns->ShowReplay(sign, mPlayBox->geometry());
}

void TPlayArea::SetPadInput(bool pad)
{
    if (mPadInput == pad)
        return;
    mPadInput = pad;
    mSigns->SetPadInput(pad, mPlayBox->geometry());
    if (mPausedLabel && mPausedLabel->isVisible())
        ShowPaused(true);
}

void TPlayArea::Resized()
{
    if (mPausedLabel && mPausedLabel->isVisible())
        ShowPaused(true);
    mSigns->FollowField(mPlayBox->geometry());
}
