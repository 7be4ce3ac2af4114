#include "DesignMenu.h"

#include "design/DesignFolder.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

TDesignMenu::TDesignMenu(QMenu *design1, QWidget *window)
    : QObject(window)
{
    mLoad1 = design1->addMenu(QStringLiteral("Load"));
    mLoad1->menuAction()->setObjectName(QStringLiteral("Load1"));
    mDesignItem = mLoad1->addAction(QStringLiteral("Default"));
    mDesignItem->setObjectName(QStringLiteral("DesignItem"));
    connect(mLoad1, &QMenu::aboutToShow, this, &TDesignMenu::Load1Click);

    // The menu's items only show their keys; these window-wide actions
    // carry them, so a key reaches the design listed now.
    for (int position = 1; position <= ShortcutPositions; ++position) {
        auto *key = new QAction(this);
        key->setShortcut(ShortcutForPosition(position));
        key->setShortcutContext(Qt::WindowShortcut);
        window->addAction(key);
        connect(key, &QAction::triggered, this, [this, position] { ChoosePosition(position); });
    }
    mDesignItem->setShortcut(ShortcutForPosition(1));
    mDesignItem->setShortcutContext(Qt::WidgetShortcut);
    connect(mDesignItem, &QAction::triggered, this, [this] { Q_EMIT DesignChosen(QString()); });
}

QKeySequence TDesignMenu::ShortcutForPosition(int position)
{
    if (position >= 1 && position <= 12)
        return QKeySequence(Qt::SHIFT | Qt::Key(Qt::Key_F1 + position - 1));
    if (position >= 13 && position <= 24)
        return QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + position - 13));
    if (position == 25 || position == 26)
        return QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key(Qt::Key_F1 + position - 25));
    return {};
}

void TDesignMenu::Load1Click()
{
    const QList<QAction *> actions = mLoad1->actions();
    for (QAction *action : actions) {
        if (action != mDesignItem) {
            mLoad1->removeAction(action);
            action->deleteLater();
        }
    }
    mNames = DesignMenuNames(mRootDir);
    for (int i = 0; i < mNames.size(); ++i) {
        const QString name = mNames.at(i);
        // "&" in a folder name is a letter, not a mnemonic.
        QAction *item = mLoad1->addAction(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setShortcut(ShortcutForPosition(i + 2));
        item->setShortcutContext(Qt::WidgetShortcut);
        connect(item, &QAction::triggered, this, [this, name] { Q_EMIT DesignChosen(name); });
    }
}

void TDesignMenu::ChoosePosition(int position)
{
    if (position == 1) {
        Q_EMIT DesignChosen(QString());
        return;
    }
    Load1Click();
    if (position - 2 < mNames.size())
        Q_EMIT DesignChosen(mNames.at(position - 2));
}
