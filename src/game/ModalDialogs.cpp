#include "ModalDialogs.h"

#include <QApplication>
#include <QDialog>

void RejectModalDialogs()
{
    // Bounded: a window that refuses to close must not hang the caller.
    for (int tries = 0; tries < 64; ++tries) {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            return;
    }
}
