#include "editor/EditCommand.h"

TEditCommand::TEditCommand(const QString &text, int mergeId, int slot, TEditorState before, TEditorState after,
                           TApply apply)
    : QUndoCommand(text), mMergeId(mergeId), mSlot(slot), mBefore(std::move(before)), mAfter(std::move(after)),
      mApply(std::move(apply))
{
}

void TEditCommand::undo()
{
    mApply(mBefore, mSlot);
    mDone = false;
}

void TEditCommand::redo()
{
    if (!std::exchange(mDone, false))
        mApply(mAfter, mSlot);
}

bool TEditCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const TEditCommand *>(other);
    if (next->mSlot != mSlot)
        return false;
    mAfter = next->mAfter;
    // Typed back to where it started: nothing is left to undo.
    setObsolete(mAfter.SameDesignAs(mBefore));
    return true;
}

void TEditCommand::RenameFiles(const std::function<QString(const QString &)> &rename)
{
    mBefore.RenameFiles(rename);
    mAfter.RenameFiles(rename);
}
