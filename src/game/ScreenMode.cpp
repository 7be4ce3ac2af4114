#include "ScreenMode.h"

#include "base/KeyValueList.h"
#include "sprites/ui/SpriteBox.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace {

const QString kWholeScalingKey = QStringLiteral("WholeScaling");

} // namespace

TScreenMode::TScreenMode(QMainWindow &window, QWidget &clientArea, std::vector<TSpriteBox *> boxes,
                         TScreenActions actions, TKeyValueList &settings)
    : QObject(&window)
    , mWindow(window)
    , mClientArea(clientArea)
    , mBoxes(std::move(boxes))
    , mActions(actions)
    , mSettings(settings)
{
    mActions.Fullscreen.setCheckable(true);
    connect(&mActions.Fullscreen, &QAction::triggered, this, &TScreenMode::SetFullscreen);
    mActions.WholeScaling.setCheckable(true);
    connect(&mActions.WholeScaling, &QAction::triggered, this, [this](bool on) {
        mSettings.SetValue(kWholeScalingKey, on ? QStringLiteral("1") : QStringLiteral("0"));
        SetWholeScaling(on);
    });
    // Esc is the usual way out of fullscreen; it means nothing else to the window.
    mLeave = new QShortcut(QKeySequence(Qt::Key_Escape), &mWindow);
    mLeave->setEnabled(false);
    connect(mLeave, &QShortcut::activated, this, [this] { SetFullscreen(false); });
    auto *callMenu = new QShortcut(QKeySequence(Qt::Key_F10), &mWindow);
    connect(callMenu, &QShortcut::activated, this, &TScreenMode::CallMenu);
    for (QAction *item : mWindow.menuBar()->actions()) {
        if (QMenu *menu = item->menu())
            connect(menu, &QMenu::aboutToHide, this, [this] {
                // The next menu opens after this one closed, when the player moves along the bar.
                QTimer::singleShot(0, this, &TScreenMode::MenuClosed);
            });
    }
    mWindow.installEventFilter(this);
    mClientArea.installEventFilter(this);
}

void TScreenMode::ReadSettings()
{
    SetWholeScaling(mSettings.Value(kWholeScalingKey) == QLatin1String("1"));
}

void TScreenMode::SetWholeScaling(bool on)
{
    mActions.WholeScaling.setChecked(on);
    for (TSpriteBox *box : mBoxes)
        box->SetScaling(on ? TScaling::WholeOnly : TScaling::Fill);
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

void TScreenMode::CallMenu()
{
    QMenuBar *bar = mWindow.menuBar();
    if (bar->actions().isEmpty())
        return;
    mMenuCalled = true;
    ShowState();
    bar->setActiveAction(bar->actions().first());
}

void TScreenMode::MenuClosed()
{
    QMenuBar *bar = mWindow.menuBar();
    for (QAction *item : bar->actions()) {
        if (item->menu() && item->menu()->isVisible())
            return;
    }
    if (!mMenuCalled)
        return;
    mMenuCalled = false;
    // One command, then the bar folds away again, keyboard focus and all.
    bar->setActiveAction(nullptr);
    ShowState();
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
    } else if (watched == &mWindow) {
        if (event->type() == QEvent::WindowStateChange)
            ShowState();
        WatchAlt(*event);
    }
    return QObject::eventFilter(watched, event);
}

void TScreenMode::WatchAlt(const QEvent &event)
{
    if (event.type() == QEvent::FocusOut) {
        mAltAlone = false;
    } else if (event.type() == QEvent::KeyPress) {
        const auto &key = static_cast<const QKeyEvent &>(event);
        mAltAlone = key.key() == Qt::Key_Alt && !key.isAutoRepeat();
    } else if (event.type() == QEvent::KeyRelease) {
        const auto &key = static_cast<const QKeyEvent &>(event);
        if (key.key() == Qt::Key_Alt && mAltAlone && IsFullscreen())
            QTimer::singleShot(0, this, &TScreenMode::CallMenu);
        if (!key.isAutoRepeat())
            mAltAlone = false;
    }
}

void TScreenMode::FitBoxes()
{
    for (TSpriteBox *box : mBoxes)
        box->setGeometry(mClientArea.rect());
}

void TScreenMode::ShowState()
{
    mActions.Fullscreen.setChecked(IsFullscreen());
    mLeave->setEnabled(IsFullscreen());
    // Folded rather than hidden, so that every menu shortcut keeps working.
    QMenuBar *bar = mWindow.menuBar();
    const int height = IsFullscreen() && !mMenuCalled ? 0 : QWIDGETSIZE_MAX;
    if (bar->maximumHeight() != height) {
        bar->setMaximumHeight(height);
        if (QLayout *layout = mWindow.layout())
            layout->activate();
    }
    // Also when the window manager ended fullscreen by itself.
    if (!IsFullscreen() && mFieldSize.isValid())
        mClientArea.setMinimumSize(mFieldSize);
}
