#include "editor/EditHistory.h"

#include "base/FileWriter.h"
#include "base/ScratchFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QUndoStack>

TEditHistory::TEditHistory(bool &modified) : mModified(modified), mStack(std::make_unique<QUndoStack>())
{
    QObject::connect(mStack.get(), &QUndoStack::cleanChanged, mStack.get(),
                     [this](bool clean) { mModified = !clean; });
}

TEditHistory::~TEditHistory()
{
    // The stack tells its listeners when it empties itself on the way out;
    // they (the window, this) are being taken down too.
    mStack->blockSignals(true);
}

void TEditHistory::SetState(TCapture capture, TEditCommand::TApply apply)
{
    mCapture = std::move(capture);
    mApply = std::move(apply);
}

void TEditHistory::Record(const QString &text, int mergeId, int slot, const std::function<void()> &change)
{
    const bool wasModified = mModified;
    TEditorState before = mCapture();
    change();
    TEditorState after = mCapture();
    if (after.SameDesignAs(before)) {
        mModified = wasModified;
        return;
    }
    mStack->push(new TEditCommand(text, mergeId, slot, std::move(before), std::move(after), mApply));
    mModified = !mStack->isClean();
}

void TEditHistory::Clear()
{
    mStack->clear();
    mModified = false;
}

void TEditHistory::MarkSaved()
{
    mStack->setClean();
    mModified = false;
}

void TEditHistory::KeepFilesOf(const QString &dir)
{
    QHash<QString, QString> copies;
    const auto keep = [&](const QString &path) {
        if (!path.startsWith(dir, Qt::CaseInsensitive) || !QFileInfo(path).isFile())
            return path;
        auto copy = copies.find(path);
        if (copy == copies.end()) {
            // Not in /tmp, and gone at the next start should this copy be killed.
            if (!mKept)
                mKept = std::make_unique<TScratchFolder>(TScratchFolder::StandardBase());
            // A folder each, so the copy keeps the name the photo list shows.
            const QString folder = QString::number(++mKeptCount);
            if (!QDir(mKept->Path()).mkpath(folder))
                throw EWriteError(QStringLiteral("No folder could be made to keep the files that undo needs."));
            const QString target = mKept->Path() + folder + QLatin1Char('/') + QFileInfo(path).fileName();
            CopyFileAtomic(path, target);
            copy = copies.insert(path, target);
        }
        return *copy;
    };
    try {
        for (int i = 0; i < mStack->count(); ++i)
            static_cast<TEditCommand *>(const_cast<QUndoCommand *>(mStack->command(i)))->RenameFiles(keep);
    } catch (const std::exception &) {
        // The save must not fail for this: the steps that could no longer
        // be undone soundly go instead, and the design stays as changed.
        const bool modified = mModified;
        mStack->clear();
        mModified = modified;
    }
}
