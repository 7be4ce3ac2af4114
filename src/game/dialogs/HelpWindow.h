#pragma once

#include <QDialog>

#include <functional>

class QTextBrowser;
class QUrl;

// The game's help in a window of its own. Pages of the help and their
// anchors open here; any other address is handed to `openOutside`.
class THelpWindow : public QDialog
{
    Q_OBJECT

public:
    using TOpenOutside = std::function<void(const QUrl &url)>;

    THelpWindow(QWidget *parent, TOpenOutside openOutside);

    // Loads the page and brings the window to the front.
    void ShowFile(const QString &path, const QString &title);
    QTextBrowser *Browser() const { return mBrowser; }

private:
    void LinkClicked(const QUrl &link);

    QTextBrowser *mBrowser = nullptr;
    TOpenOutside mOpenOutside;
};
