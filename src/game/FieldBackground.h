#pragma once

class TGamePar;
class TSpriteBox;

// The play box's background: the design's colour, else its picture 0. A
// value that is not a number counts as absent.
void ShowBackground(TSpriteBox &box, const TGamePar &design);
