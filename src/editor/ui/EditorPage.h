#pragma once

#include <QWidget>

#include <functional>

class TDesignEditor;

// One page of the design editor window: shows what the editor model holds
// and passes the user's changes to it. Every handler runs guarded, so an
// error is shown and never leaves the window.
class TEditorPage : public QWidget
{
    Q_OBJECT

public:
    TEditorPage(TDesignEditor &editor, const char *name, QWidget *parent);

    // Writes every control from the model.
    virtual void Fill() = 0;
    // Writes every control from the model after an undo or redo, keeping
    // what is current where it still is.
    virtual void Refill() { Fill(); }

protected:
    template <class T>
    T *Make(const char *name, QWidget *parent = nullptr)
    {
        T *widget = new T(parent ? parent : this);
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    }
    // Runs a handler; an exception is reported like every event's.
    void Guarded(const std::function<void()> &handler);
    // The number in a field, `fallback` when it holds none.
    static int NumberOr(const QString &text, int fallback);

    TDesignEditor &mEditor;
};
