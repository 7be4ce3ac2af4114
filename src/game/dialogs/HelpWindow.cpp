#include "game/dialogs/HelpWindow.h"

#include <QApplication>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

THelpWindow::THelpWindow(QWidget *parent, TOpenOutside openOutside)
    : QDialog(parent, Qt::Window)
    , mOpenOutside(std::move(openOutside))
{
    setObjectName(QStringLiteral("HelpWindow"));
    // Not the main window's bold attract-screen font.
    setFont(QApplication::font());
    mBrowser = new QTextBrowser(this);
    mBrowser->setObjectName(QStringLiteral("HelpBrowser"));
    // Every link comes here first: the browser would show a web page blank.
    mBrowser->setOpenLinks(false);
    connect(mBrowser, &QTextBrowser::anchorClicked, this, &THelpWindow::LinkClicked);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mBrowser);
    resize(640, 480);
}

void THelpWindow::ShowFile(const QString &path, const QString &title)
{
    setWindowTitle(title);
    mBrowser->setSource(QUrl::fromLocalFile(path));
    show();
    raise();
    activateWindow();
}

void THelpWindow::LinkClicked(const QUrl &link)
{
    const QUrl url = mBrowser->source().resolved(link);
    if (url.isLocalFile())
        mBrowser->setSource(url);
    else if (mOpenOutside)
        mOpenOutside(url);
}
