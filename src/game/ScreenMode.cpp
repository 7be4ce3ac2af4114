#include "ScreenMode.h"

#include "sprites/ui/SpriteBox.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QShortcut>

TScreenMode::TScreenMode(QMainWindow &window, QWidget &clientArea, std::vector<TSpriteBox *> boxes,
                         QAction &fullscreen)
    : QObject(&window)
    , mWindow(window)
    , mClientArea(clientArea)
    , mBoxes(std::move(boxes))
    , mFullscreen(fullscreen)
{
    mFullscreen.setCheckable(true);
    connect(&mFullscreen, &QAction::triggered, this, &TScreenMode::SetFullscreen);
    // Esc is the usual way out of fullscreen; it means nothing else to the window.
    mLeave = new QShortcut(QKeySequence(Qt::Key_Escape), &mWindow);
    mLeave->setEnabled(false);
    connect(mLeave, &QShortcut::activated, this, [this] { SetFullscreen(false); });
    mWindow.installEventFilter(this);
    mClientArea.installEventFilter(this);
}

bool TScreenMode::IsFullscreen() const
{
    return mWindow.windowState().testFlag(Qt::WindowFullScreen);
}

void TScreenMode::SetFullscreen(bool on)
{
    if (on == IsFullscreen()) {
        ShowState();
        return;
    }
    if (on) {
        // A screen smaller than the field shows it shrunk, not cut off.
        mClientArea.setMinimumSize(QSize(1, 1));
        if (QLayout *layout = mWindow.layout())
            layout->activate();
        mNormalGeometry = mWindow.geometry();
        // Without a window manager nobody acts on the state: the window is
        // placed here too, before the state, as moving a window drops it.
        if (mWindow.screen())
            mWindow.setGeometry(mWindow.screen()->geometry());
    }
    mWindow.setWindowState(mWindow.windowState() ^ Qt::WindowFullScreen);
    ShowState();
    if (!on && mNormalGeometry.isValid())
        mWindow.setGeometry(mNormalGeometry);
    else if (!on)
        ShowOneToOne();
}

void TScreenMode::SetFieldSize(QSize size)
{
    mFieldSize = size;
    for (TSpriteBox *box : mBoxes)
        box->SetFieldSize(size);
    if (IsFullscreen()) {
        mNormalGeometry = QRect(); // leaving shows the new field at 1x
    } else {
        mClientArea.setMinimumSize(size);
        if (!mWindow.isMaximized())
            ShowOneToOne();
    }
    FitBoxes();
}

void TScreenMode::ShowOneToOne()
{
    mClientArea.resize(mFieldSize);
    if (QLayout *layout = mWindow.layout())
        layout->activate();
    mWindow.resize(mWindow.minimumSizeHint());
}

bool TScreenMode::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &mClientArea && event->type() == QEvent::Resize) {
        FitBoxes();
        if (OnResized)
            OnResized();
    } else if (watched == &mWindow && event->type() == QEvent::WindowStateChange) {
        ShowState();
    }
    return QObject::eventFilter(watched, event);
}

void TScreenMode::FitBoxes()
{
    for (TSpriteBox *box : mBoxes)
        box->setGeometry(mClientArea.rect());
}

void TScreenMode::ShowState()
{
    mFullscreen.setChecked(IsFullscreen());
    mLeave->setEnabled(IsFullscreen());
    // Also when the window manager ended fullscreen by itself.
    if (!IsFullscreen() && mFieldSize.isValid())
        mClientArea.setMinimumSize(mFieldSize);
}
