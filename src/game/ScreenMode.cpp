#include "ScreenMode.h"

#include "sprites/SpriteBox.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
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
    mWindow.setWindowState(mWindow.windowState() ^ Qt::WindowFullScreen);
    ShowState();
}

void TScreenMode::SetFieldSize(QSize size)
{
    for (TSpriteBox *box : mBoxes)
        box->SetFieldSize(size);
    mClientArea.setMinimumSize(size);
    if (!IsFullscreen() && !mWindow.isMaximized()) {
        mClientArea.resize(size);
        if (QLayout *layout = mWindow.layout())
            layout->activate();
        mWindow.resize(mWindow.minimumSizeHint());
    }
    FitBoxes();
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
}
