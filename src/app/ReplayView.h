#pragma once

#include "design/ui/MessageBoxPrompts.h"
#include "session/SessionView.h"

#include <QImage>

#include <functional>
#include <memory>

class TGameSession;
class QWidget;
class TSpriteBox;

// The scripted run's view of a game session: no window. Errors and
// questions go to standard error (every question is answered Cancel), names
// come from the script, and two boxes that are never shown keep the fields'
// pictures for "snap".
class TReplayView : public TSessionView
{
public:
    using TNameSource = std::function<std::optional<QString>()>;

    TReplayView();
    ~TReplayView() override;

    // After the session is made: the boxes draw its fields.
    void Attach(TGameSession &session);
    void SetNameSource(TNameSource names) { mNames = std::move(names); }
    // What the visible field shows now.
    QImage Snap() const;

    void ShowDesign(const TGamePar &design) override;
    void RunTimer(bool) override {}
    void ShowPause(const TPauseControl::TState &) override {}
    void ShowEvents(const TTickResult &, bool) override {}
    std::optional<QString> AskName(TScoreTitle title, std::int32_t score) override;
    TDesignPrompts &Prompts() override { return mPrompts; }

private:
    TMessageBoxPrompts mPrompts{nullptr, true};
    TNameSource mNames;
    // Never shown, so that the boxes, which show themselves with their
    // field, open no window.
    std::unique_ptr<QWidget> mHost;
    TSpriteBox *mPlayBox = nullptr;
    TSpriteBox *mAttractBox = nullptr;
};
