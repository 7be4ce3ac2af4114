#include "lang/ui/ObjectPath.h"

#include <QApplication>
#include <QMenu>
#include <QWidget>

#include <deque>

namespace {

// Qt builds many unnamed helper objects (layouts, internal stacks); an
// empty part of a path must not land on one of them.
bool NameMatches(const QObject *object, const QString &name)
{
    return !name.isEmpty() && object->objectName().compare(name, Qt::CaseInsensitive) == 0;
}

// A child window (a dialog parented to the main window, say) belongs to the
// application, not to the window below it; popup menus do belong to theirs.
bool IsForeignWindow(const QObject *object)
{
    const auto *widget = qobject_cast<const QWidget *>(object);
    return widget && widget->isWindow() && !qobject_cast<const QMenu *>(widget);
}

QObjectList ApplicationWindows()
{
    // Parentless windows first: they are the ones the application owns outright.
    QObjectList first;
    QObjectList later;
    for (QWidget *widget : QApplication::topLevelWidgets())
        (widget->parent() ? later : first).append(widget);
    first += later;
    if (QCoreApplication *app = QCoreApplication::instance())
        first += app->children();
    return first;
}

QObject *FindAmong(const QObjectList &roots, const QString &name)
{
    std::deque<QObject *> queue(roots.begin(), roots.end());
    while (!queue.empty()) {
        QObject *object = queue.front();
        queue.pop_front();
        if (NameMatches(object, name))
            return object;
        for (QObject *child : object->children()) {
            if (!IsForeignWindow(child))
                queue.push_back(child);
        }
    }
    return nullptr;
}

} // namespace

QObject *FindOwnedObject(QObject *owner, const QString &name)
{
    if (!owner) {
        for (QObject *window : ApplicationWindows()) {
            if (NameMatches(window, name))
                return window;
        }
        return nullptr;
    }
    QObjectList children;
    for (QObject *child : owner->children()) {
        if (!IsForeignWindow(child))
            children.append(child);
    }
    return FindAmong(children, name);
}

TResolvedPath ResolveObjectPath(const QString &path)
{
    QString rest = path.trimmed();
    QObject *current = QCoreApplication::instance();
    bool atApplication = true;
    qsizetype dot;
    while ((dot = rest.indexOf(QLatin1Char('.'))) >= 0) {
        const QString part = rest.left(dot).trimmed();
        rest = rest.mid(dot + 1).trimmed();
        if (!current)
            continue; // the rest of the chain is still consumed
        current = FindOwnedObject(atApplication ? nullptr : current, part);
        atApplication = false;
    }
    return TResolvedPath{current, rest};
}
