#pragma once

#include "sound/MixerTypes.h"

#include <QEvent>

// Posted to a play's notification object once the play has been heard to
// its end (the engine's own completion notice to its callers).
class TPlayDoneEvent : public QEvent
{
public:
    TPlayDoneEvent(int channel, const TLoadedWave *wave)
        : QEvent(EventType()), mChannel(channel), mWave(wave)
    {
    }

    static QEvent::Type EventType()
    {
        static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

    int Channel() const { return mChannel; }
    const TLoadedWave *Wave() const { return mWave; }

private:
    int mChannel;
    const TLoadedWave *mWave;
};
