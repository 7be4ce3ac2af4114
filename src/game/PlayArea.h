#pragma once

#include "game/ScreenMode.h"
#include "lang/MessageLookup.h"

#include <QWidget>

class QAction;
class QMainWindow;
class TFieldSign;
class TFieldSigns;
class TGameCycle;
class TGamePar;
class TScreenMode;
class TSpriteBox;
struct TTickResult;

// The main window's client area: the play and attract boxes showing the
// cycle's fields at the design's size, scaled into the window, and the
// signs over the field ("Paused", the wave, the demo's reminder).
class TPlayArea : public QWidget
{
    Q_OBJECT

public:
    // The screen mode answers to `actions` and keeps its scaling in `settings`.
    TPlayArea(QMainWindow &window, TScreenActions actions, TKeyValueList &settings, TMessageLookup messages);

    TSpriteBox &PlayBox() const { return *mPlayBox; }
    TSpriteBox &AttractBox() const { return *mAttractBox; }

    void ShowFields(TGameCycle &cycle);
    // The scaling the settings keep, once they are read.
    void ReadSettings();
    // Both boxes hidden until their field shows.
    void HideBoxes();
    // A design that applied: field size and background.
    void ShowDesign(const TGamePar &design);
    void ShowPaused(bool shown);
    void ShowEvents(const TTickResult &result, bool demoRunning);
    void ShowReplay(const QString &sign);
    // The last input came from a pad: the signs name its Start button.
    void SetPadInput(bool pad);
    bool PadInput() const { return mPadInput; }

private:
    void Resized();

    TMessageLookup mMessages;
    // Owned by their Qt parent.
    TSpriteBox *mPlayBox = nullptr;
    TSpriteBox *mAttractBox = nullptr;
    TScreenMode *mScreen = nullptr;
    TFieldSigns *mSigns = nullptr;
    TFieldSign *mPausedLabel = nullptr;
    bool mPadInput = false;
};
