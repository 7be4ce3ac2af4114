#pragma once

#include "design/PrepareDesignFolder.h"

class QWidget;

// The design-writing questions as message boxes over `parent`. Unattended
// (the scripted run) the texts go to standard error and every question is
// answered Cancel, so nothing waits for a person.
class TMessageBoxPrompts : public TDesignPrompts
{
public:
    TMessageBoxPrompts(QWidget *parent, bool unattended) : mParent(parent), mUnattended(unattended) {}

    void SetParent(QWidget *parent) { mParent = parent; }

    void Message(const QString &text) override;
    void Error(const QString &text) override;
    TAnswer Question(const QString &text) override;

private:
    QWidget *mParent;
    bool mUnattended;
};
