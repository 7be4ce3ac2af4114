#include "game/FieldBackground.h"

#include "design/GamePar.h"
#include "sprites/Picture.h"
#include "sprites/Sprite.h"
#include "sprites/ui/SpriteBox.h"

void ShowBackground(TSpriteBox &box, const TGamePar &design)
{
    if (const std::optional<QColor> color = design.BackgroundColor()) {
        box.SetImage(QImage());
        box.SetColor(*color);
        return;
    }
    TSprite background;
    design.AssignImage(background, 0);
    const TPicture &picture = background.Picture();
    box.SetImage(picture.IsGif() ? QImage() : picture.ToImage());
}
