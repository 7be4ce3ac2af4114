#pragma once

#include <QLineEdit>

// A field that shows one key and takes the next key pressed in it as the
// new one, modifier keys included. Tab still moves on, Return still
// presses OK and Escape still closes the dialog: they are never game keys.
class TKeyCaptureEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TKeyCaptureEdit(QWidget *parent = nullptr);

    int Key() const { return mKey; }
    void SetKey(int qtKey);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static bool PassesThrough(int qtKey);

    int mKey = 0;
};
