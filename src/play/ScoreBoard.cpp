#include "play/ScoreBoard.h"

#include "sprites/Picture.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"

TScoreBoard::TScoreBoard()
    : mSprite(std::make_unique<TSprite>())
{
}

TScoreBoard::~TScoreBoard() = default;

void TScoreBoard::Place(TSpriteField &field)
{
    mSprite->SetLeft(10);
    mSprite->SetTop(10);
    field.AddSprite(mSprite.get());
}

void TScoreBoard::Show(std::int32_t score)
{
    // The digits' black cells are part of the display, not see-through.
    mSprite->SetTransparent(false);
    mSprite->SetPicture(TPicture::FromImage(mDisplay.ComposeScore(score)));
}
