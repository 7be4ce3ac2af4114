#include "ReplayView.h"

#include "design/GamePar.h"
#include "game/FieldBackground.h"
#include "play/GameCycle.h"
#include "session/GameSession.h"
#include "sprites/ui/SpriteBox.h"

#include <QWidget>

TReplayView::TReplayView()
    : mHost(std::make_unique<QWidget>())
    , mPlayBox(new TSpriteBox(mHost.get()))
    , mAttractBox(new TSpriteBox(mHost.get()))
{
    mAttractBox->SetColor(Qt::white);
    mPlayBox->hide();
    mAttractBox->hide();
}

TReplayView::~TReplayView() = default;

void TReplayView::Attach(TGameSession &session)
{
    mPlayBox->SetField(&session.Cycle().PlayField());
    mAttractBox->SetField(&session.Cycle().AttractField());
}

QImage TReplayView::Snap() const
{
    const TSpriteBox &box = mPlayBox->Field().Shown() ? *mPlayBox : *mAttractBox;
    return box.BackBuffer();
}

void TReplayView::ShowDesign(const TGamePar &design)
{
    const QSize size(design.ClientWidth(), design.ClientHeight());
    for (TSpriteBox *box : {mPlayBox, mAttractBox})
        box->SetFieldSize(size);
    ShowBackground(*mPlayBox, design);
}

std::optional<QString> TReplayView::AskName(TScoreTitle, std::int32_t)
{
    return mNames ? mNames() : std::nullopt;
}
