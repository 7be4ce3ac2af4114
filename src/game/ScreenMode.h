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
class TKeyValueList;
class TSpriteBox;

// The menu items the screen mode answers to; owned by the menu.
struct TScreenActions {
    // Checkable: mirrors the fullscreen state.
    QAction &Fullscreen;
    // Checkable: the field is enlarged by whole factors only.
    QAction &WholeScaling;
};

// The main window's size and fullscreen state: the boxes fill the client
// area and show their field scaled to it; the window cannot shrink below
// one field and comes back to that size when the field changes. In
// fullscreen the menu bar folds away; F10 or Alt brings it back for one
// command. The choice of scaling is kept in the settings.
class TScreenMode : public QObject
{
    Q_OBJECT

public:
    TScreenMode(QMainWindow &window, QWidget &clientArea, std::vector<TSpriteBox *> boxes,
                TScreenActions actions, TKeyValueList &settings);

    // Takes the scaling from the settings, once they are read.
    void ReadSettings();
    // A new field size: boxes draw at it; the window goes back to showing it at 1x.
    void SetFieldSize(QSize size);
    void SetFullscreen(bool on);
    void ToggleFullscreen() { SetFullscreen(!IsFullscreen()); }
    bool IsFullscreen() const;
    // Opens the first menu, showing the menu bar while a menu is open.
    void CallMenu();
    // Called after the client area changed size, e.g. to centre overlays again.
    std::function<void()> OnResized;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FitBoxes();
    // The window just big enough for the field at 1x.
    void ShowOneToOne();
    void ShowState();
    void SetWholeScaling(bool on);
    // Folds the menu bar away once no menu is open any more.
    void MenuClosed();
    // Alt pressed and released alone calls the menu in fullscreen.
    void WatchAlt(const QEvent &event);

    QMainWindow &mWindow;
    QWidget &mClientArea;
    std::vector<TSpriteBox *> mBoxes;
    TScreenActions mActions;
    TKeyValueList &mSettings;
    QSize mFieldSize;
    // Where the window was before fullscreen, to go back there.
    QRect mNormalGeometry;
    // A menu called up in fullscreen is open.
    bool mMenuCalled = false;
    bool mAltAlone = false;
    // Owned by the window.
    QShortcut *mLeave = nullptr;
};
