#include "design/ui/PathNotice.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

void ShowPathNotice(QWidget *parent, const TPathNoticeText &text)
{
    auto *notice = new QDialog(parent ? parent : QApplication::activeWindow());
    notice->setObjectName(QStringLiteral("PathNotice"));
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->setWindowTitle(QApplication::applicationName());
    // Not the game window's bold attract-screen font.
    notice->setFont(QApplication::font());
    auto *label = new QLabel(text.Message, notice);
    label->setWordWrap(true);
    auto *path = new QLineEdit(text.Path, notice);
    path->setObjectName(QStringLiteral("PathEdit"));
    path->setReadOnly(true);
    path->setAccessibleName(text.Message);
    path->setMinimumWidth(path->fontMetrics().horizontalAdvance(text.Path) + 24);
    label->setBuddy(path);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, notice);
    QPushButton *copy = buttons->addButton(text.CopyCaption, QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("CopyButton"));
    QObject::connect(copy, &QPushButton::clicked, notice, [path] {
        QApplication::clipboard()->setText(path->text());
        path->selectAll();
    });
    QObject::connect(buttons, &QDialogButtonBox::accepted, notice, &QDialog::accept);
    auto *layout = new QVBoxLayout(notice);
    layout->addWidget(label);
    layout->addWidget(path);
    layout->addWidget(buttons);
    path->selectAll();
    path->setFocus();
    notice->show();
    notice->raise();
    notice->activateWindow();
}
