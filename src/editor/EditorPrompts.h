#pragma once

#include "design/PrepareDesignFolder.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

// Everything the design editor must ask the user. The editor window
// answers with Qt's dialogs and its design selection; tests with a fake.
class TEditorPrompts : public TDesignPrompts
{
public:
    // The design selection: an existing design (allowNew false) or any
    // typed name (true); nothing when cancelled.
    virtual std::optional<QString> ChooseDesign(const QString &current, bool allowNew) = 0;
    // Picture files, with a preview of the highlighted one; empty when
    // cancelled. `several` lets the user pick more than one.
    virtual QStringList ChoosePictures(const QString &startDir, bool several) = 0;
    // A wave file, `preset` proposed; empty when cancelled.
    virtual QString ChooseSound(const QString &startDir, const QString &preset) = 0;
    virtual std::optional<QColor> ChooseColor(const QColor &initial) = 0;
    // A design archive ("ZIP file|*.zip", default extension "zip") in
    // `startDir`: for saving, `proposedName` is offered and an existing file
    // is chosen without a question; for opening, a typed name need not
    // exist. Empty when cancelled.
    virtual QString ChooseArchive(const QString &startDir, const QString &proposedName, bool forSaving) = 0;
    // A question with Yes and No only; No when nobody answers.
    virtual bool Ask(const QString &text) = 0;
    // A line of text, `preset` proposed; nothing when cancelled.
    virtual std::optional<QString> AskText(const QString &label, const QString &preset) = 0;
    // Shows that a long job (a save) is running.
    virtual void SetBusy(bool busy) { (void)busy; }
};

// Shows the busy cursor for as long as it lives, errors included.
class TBusy
{
public:
    explicit TBusy(TEditorPrompts &prompts) : mPrompts(prompts) { mPrompts.SetBusy(true); }
    ~TBusy() { mPrompts.SetBusy(false); }
    TBusy(const TBusy &) = delete;
    TBusy &operator=(const TBusy &) = delete;

private:
    TEditorPrompts &mPrompts;
};
