#pragma once

#include <QObject>
#include <QString>

// Finds the objects that translation paths such as "MainForm.Game1.Caption"
// name. A window owns every object below it (menus, actions, controls on
// pages and panels) but not the other windows parented to it: those are
// reached from the application like any other window.

// The first object owned by `owner` whose objectName equals `name` without
// regard to case; shallower objects come first. A null owner stands for
// the application, which owns every window. Null when nothing matches.
QObject *FindOwnedObject(QObject *owner, const QString &name);

struct TResolvedPath {
    QObject *Object = nullptr; // null when a part of the chain matched nothing
    QString PropertyName;
};

// Walks the dotted chain from the application object; what follows the
// last "." is the property name. Parts are trimmed.
TResolvedPath ResolveObjectPath(const QString &path);
