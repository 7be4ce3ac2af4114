#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Runs work the first frame does not need once `widget` has painted (just
// after that frame reached the screen), so the window shows sooner.
class TAfterFirstPaint : public QObject
{
public:
    static void Run(QWidget &widget, std::function<void()> work);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TAfterFirstPaint(QWidget &widget, std::function<void()> work);
    std::function<void()> mWork;
};
