#include "CuePlayer.h"

TCuePlayer::TCuePlayer(bool /*unattended*/) {}

TCuePlayer::~TCuePlayer() = default;

void TCuePlayer::SetActivated(bool /*activated*/) {}

void TCuePlayer::LoadSounds(const TGamePar & /*gamePar*/) {}

void TCuePlayer::ReleaseSounds() {}

void TCuePlayer::PlayCue(int /*cue*/) {}
