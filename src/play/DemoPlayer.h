#pragma once

class TGameRound;

// Steers the cannon in a demo game: wanders, heads for the formation,
// fires, and sidesteps bombs it sees coming.
class TDemoPlayer
{
public:
    explicit TDemoPlayer(TGameRound &round) : mRound(round) {}

    // One tick of a demo, not while a new cannon drops in.
    void DemoControl();

private:
    void AvoidBombs();

    TGameRound &mRound;
};
