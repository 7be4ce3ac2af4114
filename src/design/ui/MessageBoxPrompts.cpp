#include "design/ui/MessageBoxPrompts.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

void TMessageBoxPrompts::Message(const QString &text)
{
    if (mUnattended) {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
        return;
    }
    QMessageBox::information(mParent, QApplication::applicationName(), text);
}

void TMessageBoxPrompts::Error(const QString &text)
{
    if (mUnattended) {
        std::fprintf(stderr, "error: %s\n", text.toUtf8().constData());
        return;
    }
    QMessageBox::critical(mParent, QApplication::applicationName(), text);
}

TDesignPrompts::TAnswer TMessageBoxPrompts::Question(const QString &text)
{
    if (mUnattended) {
        std::fprintf(stderr, "question (cancelled): %s\n", text.toUtf8().constData());
        return TAnswer::Cancel;
    }
    switch (QMessageBox::question(mParent, QApplication::applicationName(), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return TAnswer::Yes;
    case QMessageBox::No:
        return TAnswer::No;
    default:
        return TAnswer::Cancel;
    }
}
