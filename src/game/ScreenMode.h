#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QShortcut;
class QWidget;
class TSpriteBox;

// The main window's size and fullscreen state: the boxes fill the client
// area and show their field scaled to it; the window cannot shrink below
// one field and comes back to that size when the field changes.
class TScreenMode : public QObject
{
    Q_OBJECT

public:
    // `fullscreen` is the checkable menu item that mirrors the state.
    TScreenMode(QMainWindow &window, QWidget &clientArea, std::vector<TSpriteBox *> boxes,
                QAction &fullscreen);

    // A new field size: boxes draw at it; the window goes back to showing it at 1x.
    void SetFieldSize(QSize size);
    void SetFullscreen(bool on);
    void ToggleFullscreen() { SetFullscreen(!IsFullscreen()); }
    bool IsFullscreen() const;
    // Called after the client area changed size, e.g. to centre overlays again.
    std::function<void()> OnResized;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FitBoxes();
    // The window just big enough for the field at 1x.
    void ShowOneToOne();
    void ShowState();

    QMainWindow &mWindow;
    QWidget &mClientArea;
    std::vector<TSpriteBox *> mBoxes;
    QAction &mFullscreen;
    QSize mFieldSize;
    // Where the window was before fullscreen, to go back there.
    QRect mNormalGeometry;
    // Owned by the window.
    QShortcut *mLeave = nullptr;
};
