#include "DesignMenu.h"

#include "design/DesignFolder.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace {

// "&" in a folder name is a letter, not a mnemonic.
QString MenuCaption(const QString &name)
{
    return QString(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

TDesignMenu::TDesignMenu(QMenu *design1, QWidget *window)
    : QObject(window)
{
    mLoad1 = design1->addMenu(QStringLiteral("Load"));
    mLoad1->menuAction()->setObjectName(QStringLiteral("Load1"));
    connect(mLoad1, &QMenu::aboutToShow, this, &TDesignMenu::Load1Click);

    for (int position = 1; position <= ShortcutPositions; ++position) {
        auto *key = new QAction(this);
        key->setShortcut(ShortcutForPosition(position));
        key->setShortcutContext(Qt::WindowShortcut);
        window->addAction(key);
        connect(key, &QAction::triggered, this, [this, position] { ChoosePosition(position); });
        mKeyed.append(key);
    }
    QAction *designItem = mKeyed.first();
    designItem->setObjectName(QStringLiteral("DesignItem"));
    designItem->setText(QStringLiteral("Default"));
    mLoad1->addAction(designItem);
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
        if (action == mKeyed.first())
            continue;
        mLoad1->removeAction(action);
        if (!mKeyed.contains(action))
            action->deleteLater();
    }
    mNames = mRoots.Names(false);
    for (int i = 0; i < mNames.size(); ++i) {
        const int position = i + 2;
        if (position <= ShortcutPositions) {
            QAction *item = mKeyed.at(position - 1);
            item->setText(MenuCaption(mRoots.Caption(mNames.at(i))));
            mLoad1->addAction(item);
            continue;
        }
        const QString name = mNames.at(i);
        QAction *item = mLoad1->addAction(MenuCaption(mRoots.Caption(name)));
        connect(item, &QAction::triggered, this, [this, name] { Q_EMIT DesignChosen(name); });
    }
}

void TDesignMenu::ChoosePosition(int position)
{
    if (position == 1) {
        Q_EMIT DesignChosen(QString());
        return;
    }
    // A click in the open menu takes the design shown; a key press takes
    // the design at that place now.
    if (!mLoad1->isVisible())
        Load1Click();
    if (position - 2 < mNames.size())
        Q_EMIT DesignChosen(mNames.at(position - 2));
}
