#pragma once

#include "editor/EditorState.h"

#include <QUndoCommand>

#include <functional>

// One change of the edited design, undone and redone by putting back the
// design as it was before or after it. Typing in one field, or sizing one
// picture, step by step, stays one change.
class TEditCommand : public QUndoCommand
{
public:
    // Puts a state back; `slot` is the picture the change was made on, -1
    // for none.
    using TApply = std::function<void(const TEditorState &state, int slot)>;

    // `mergeId` -1: never merged with the change before it.
    TEditCommand(const QString &text, int mergeId, int slot, TEditorState before, TEditorState after,
                 TApply apply);

    void undo() override;
    void redo() override;
    int id() const override { return mMergeId; }
    bool mergeWith(const QUndoCommand *other) override;

    void RenameFiles(const std::function<QString(const QString &)> &rename);

private:
    int mMergeId;
    int mSlot;
    TEditorState mBefore;
    TEditorState mAfter;
    TApply mApply;
    // The change is already made when the command is pushed.
    bool mDone = true;
};
