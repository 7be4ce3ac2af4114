#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QDropEvent;
class QWidget;

// Makes its owner window a target for files dropped from the desktop,
// keeps those whose extension is listed and reports them.
class TDragComp : public QObject
{
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TDragComp &sender)>;

    // Hooks `owner` at once; the hook lives as long as this object.
    explicit TDragComp(QWidget *owner);
    // The window's drop target for design archives: `dropped` gets the
    // files of each drop.
    static TDragComp *ForArchives(QWidget *owner, std::function<void(const QStringList &)> dropped);
    ~TDragComp() override;

    TNotifyEvent OnDropFiles;

    // Comma separated, without dots; read back upper case, sorted, joined by ",".
    // Each piece keeps at most three characters: "JPEG" gives "JPE" and "G".
    QString Extensions() const { return mExtensions.join(QLatin1Char(',')); }
    void SetExtensions(const QString &text);
    bool DragDisable() const { return mDragDisable; }
    void SetDragDisable(bool disable);

    // The accepted files of the last drop, in the order the desktop gave them.
    const QStringList &DroppedFiles() const { return mDroppedFiles; }

    // Whether a dropped file passes the extension list: characters 2 to 4
    // of its extension (".Zipper" counts as "ZIP").
    bool Accepts(const QString &path) const;
    // Handles the files of one drop as the desktop reported them.
    void HandleDrop(const QStringList &paths);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> mOwner;
    QStringList mExtensions;
    bool mDragDisable = false;
    QStringList mDroppedFiles;
};
