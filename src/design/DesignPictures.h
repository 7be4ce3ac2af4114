#pragma once

// The numbers of a design's pictures, Image0 to Image12 in its folder,
// as the game and the gallery use them.
inline constexpr int kBackgroundPicture = 0;
inline constexpr int kBombPicture = 1;
inline constexpr int kCanonPicture = 2;
inline constexpr int kCanonLeftPicture = 3;
inline constexpr int kHomePicture = 4;
inline constexpr int kRocketPicture = 5;
inline constexpr int kShipPicture = 6;
inline constexpr int kShipExplodePicture = 7;
inline constexpr int kCanonExplodePicture = 8;
inline constexpr int kGameOverPicture = 9;
inline constexpr int kFirstTitlePicture = 10;
