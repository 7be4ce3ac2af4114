#pragma once

#include "play/ScoreDisplay.h"

#include <cstdint>
#include <memory>

class TSprite;
class TSpriteField;

// The score in the field's top left corner: a sprite whose picture is
// composed from the display's digits whenever the score changes.
class TScoreBoard
{
public:
    TScoreBoard();
    ~TScoreBoard();

    // Once: the score joins `field` at its place.
    void Place(TSpriteField &field);
    void Show(std::int32_t score);

private:
    TScoreDisplay mDisplay;
    std::unique_ptr<TSprite> mSprite;
};
