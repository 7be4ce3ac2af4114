#pragma once

#include "design/DesignRoots.h"

#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QKeySequence;
class QMenu;
class QWidget;

// Design > Load: the fixed Default item and one item per design folder,
// rebuilt whenever the submenu opens. Its shortcuts act on the list as it
// is at the moment of the key press, whether the menu was ever opened.
class TDesignMenu : public QObject
{
    Q_OBJECT

public:
    static constexpr int ShortcutPositions = 26;

    // Adds the Load submenu to `design1`; shortcuts go to `window`.
    TDesignMenu(QMenu *design1, QWidget *window);

    // The shortcut of the item at 1-based position p, empty from 27 on.
    static QKeySequence ShortcutForPosition(int position);

    // Rebuilds the items after Default from the design root.
    void Load1Click();
    // The designs listed after Default, in menu order.
    const QStringList &Names() const { return mNames; }
    QMenu *Load1() const { return mLoad1; }
    void SetRoots(const TDesignRoots &roots) { mRoots = roots; }

Q_SIGNALS:
    // An empty name stands for the Default design.
    void DesignChosen(const QString &name);

private:
    void ChoosePosition(int position);

    QMenu *mLoad1 = nullptr;
    // Position p is mKeyed[p - 1]; the first is the Default item. Each key
    // belongs to exactly one action, which is both the window-wide shortcut
    // and the menu item: two actions with one key make both dead.
    QList<QAction *> mKeyed;
    QStringList mNames;
    TDesignRoots mRoots = TDesignRoots::Standard();
};
