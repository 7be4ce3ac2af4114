#pragma once

#include <QLineEdit>

// A field that shows one key and takes the next key pressed in it as the
// new one, modifier keys and Return included. Tab still moves on and
// Escape still closes the dialog.
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
