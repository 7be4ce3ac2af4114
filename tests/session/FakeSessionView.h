#pragma once

#include "design/GamePar.h"
#include "design/PrepareDesignFolder.h"
#include "play/TickResult.h"
#include "session/SessionView.h"

#include <QStringList>

class RecordingPrompts : public TDesignPrompts
{
public:
    void Message(const QString &text) override { Said << text; }
    void Error(const QString &text) override { Said << text; }
    TAnswer Question(const QString &text) override
    {
        Said << text;
        return TAnswer::Cancel;
    }
    QStringList Said;
};

// What a window would show, noted instead.
class FakeView : public TSessionView
{
public:
    void ShowDesign(const TGamePar &design) override { Designs << design.DesignName(); }
    void RunTimer(bool run) override { TimerRuns = run; }
    void ShowPause(const TPauseControl::TState &state) override { Pause = state; }
    void ShowEvents(const TTickResult &, bool demoRunning) override { Demo = demoRunning; }
    std::optional<QString> AskName(TScoreTitle, std::int32_t) override { return Name; }
    void ShowReplay(const QString &sign) override { Sign = sign; }
    TDesignPrompts &Prompts() override { return AskedPrompts; }

    QStringList Designs;
    bool TimerRuns = false;
    TPauseControl::TState Pause;
    bool Demo = false;
    std::optional<QString> Name;
    QString Sign;
    RecordingPrompts AskedPrompts;
};
