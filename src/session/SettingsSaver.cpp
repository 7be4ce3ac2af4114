#include "session/SettingsSaver.h"

#include "base/KeyValueList.h"

#include <QPointer>
#include <QTimer>

TSettingsSaver::TSettingsSaver(TKeyValueList &settings, std::function<void()> save, QObject *parent)
    : QObject(parent)
{
    mTimer = new QTimer(this);
    mTimer->setSingleShot(true);
    mTimer->setInterval(0);
    connect(mTimer, &QTimer::timeout, this, std::move(save));
    // The window's settings may outlive this object by a moment.
    settings.SetOnChanged([timer = QPointer<QTimer>(mTimer)](const QString &key) {
        // A game's scores are written with the high-score table, or at the end.
        const bool played = key.compare(QLatin1String("HighScore"), Qt::CaseInsensitive) == 0
                            || key.compare(QLatin1String("LastScore"), Qt::CaseInsensitive) == 0;
        if (timer && !played)
            timer->start();
    });
}

bool TSettingsSaver::Pending() const
{
    return mTimer->isActive();
}
