#include "game/dialogs/HelpWindow.h"

#include <QApplication>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget *parent)
    : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Snapstorm Help"));
    // Not the main window's bold attract-screen font.
    setFont(QApplication::font());
    mBrowser = new QTextBrowser(this);
    mBrowser->setObjectName(QStringLiteral("HelpBrowser"));
    // Links to the web go to the browser if there is one; the page stays.
    mBrowser->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mBrowser);
    resize(640, 480);
}

void THelpWindow::ShowFile(const QString &path)
{
    mBrowser->setSource(QUrl::fromLocalFile(path));
    show();
    raise();
    activateWindow();
}
