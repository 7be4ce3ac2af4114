#include "editor/ui/UndoItems.h"

#include <QAction>
#include <QUndoStack>

TUndoItems::TUndoItems(QAction *undo, QAction *redo, QUndoStack &stack, QObject *parent)
    : QObject(parent), mUndo(undo), mRedo(redo), mStack(stack)
{
    mUndo->setShortcut(Qt::CTRL | Qt::Key_Z);
    mRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(&mStack, &QUndoStack::indexChanged, this, &TUndoItems::Update);
    connect(&mStack, &QUndoStack::cleanChanged, this, &TUndoItems::Update);
    TakeCaptions();
}

void TUndoItems::TakeCaptions()
{
    mUndoCaption = mUndo->text();
    mRedoCaption = mRedo->text();
    Update();
}

void TUndoItems::Update()
{
    const auto show = [](QAction *item, const QString &caption, const QString &step, bool can) {
        item->setText(can && !step.isEmpty() ? caption + QLatin1Char(' ') + step : caption);
        item->setEnabled(can);
    };
    show(mUndo, mUndoCaption, mStack.undoText(), mStack.canUndo());
    show(mRedo, mRedoCaption, mStack.redoText(), mStack.canRedo());
}
