#pragma once

#include <QDialog>

class QTextBrowser;

// Shows a help page in a window of the game's own, for desktops with no
// program to open it.
class THelpWindow : public QDialog
{
    Q_OBJECT

public:
    explicit THelpWindow(QWidget *parent = nullptr);

    // Loads the page and brings the window to the front.
    void ShowFile(const QString &path);
    QTextBrowser *Browser() const { return mBrowser; }

private:
    QTextBrowser *mBrowser = nullptr;
};
