#pragma once

#include <QObject>
#include <QString>

class QAction;
class QUndoStack;

// The Edit menu's Undo and Redo over the editor's history: each names the
// step it would take ("Undo Size of Rocket") and is enabled only when
// there is one.
class TUndoItems : public QObject
{
    Q_OBJECT

public:
    TUndoItems(QAction *undo, QAction *redo, QUndoStack &stack, QObject *parent);

    // After the captions are translated: the words the step's name follows.
    void TakeCaptions();
    void Update();

private:
    QAction *mUndo;
    QAction *mRedo;
    QUndoStack &mStack;
    QString mUndoCaption;
    QString mRedoCaption;
};
