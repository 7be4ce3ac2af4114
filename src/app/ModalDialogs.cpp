#include "app/ModalDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

void RejectModalDialogs()
{
    // Bounded: a window that refuses to close must not hang the caller.
    for (int tries = 0; tries < 64; ++tries) {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            box->reject();  // answers with the box's cancel button
        else if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->done(QDialog::Rejected);  // past a reject() that may ask "save changes?" again
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            return;
    }
}
