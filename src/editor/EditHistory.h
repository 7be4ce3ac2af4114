#pragma once

#include "editor/EditCommand.h"

#include <QString>

#include <functional>
#include <memory>

class TScratchFolder;
class QUndoStack;

// The edited design's changes since it was opened, to undo and redo. The
// stack's clean state is the last save: undoing back to it leaves the
// design unchanged, and a save keeps the history.
class TEditHistory
{
public:
    using TCapture = std::function<TEditorState()>;

    // `modified` follows the stack: set by every change, cleared when the
    // design is back where it was saved.
    explicit TEditHistory(bool &modified);
    ~TEditHistory();

    void SetState(TCapture capture, TEditCommand::TApply apply);
    QUndoStack &Stack() { return *mStack; }

    // Runs `change` and records it as one step named `text` when the
    // design differs afterwards. `mergeId` >= 0 joins it to the step before
    // of the same id and slot (typing, sizing step by step).
    void Record(const QString &text, int mergeId, int slot, const std::function<void()> &change);
    // Another design: nothing to undo, nothing changed.
    void Clear();
    void MarkSaved();

    // Before a save rewrites the design folder `dir`: the photos and sounds
    // there that earlier steps name are copied aside, so that undoing past
    // the save still finds them as they were. When they cannot be, the
    // history is given up rather than the save.
    void KeepFilesOf(const QString &dir);

private:
    bool &mModified;
    std::unique_ptr<QUndoStack> mStack;
    TCapture mCapture;
    TEditCommand::TApply mApply;
    std::unique_ptr<TScratchFolder> mKept;
    int mKeptCount = 0;
};
