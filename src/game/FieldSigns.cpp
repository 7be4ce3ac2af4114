#include "FieldSigns.h"

#include "FieldSign.h"

#include "play/TickResult.h"

#include <QTimer>

TFieldSigns::TFieldSigns(QWidget &area, std::function<QString(const QString &)> lookup)
    : QObject(&area)
    , mArea(area)
    , mLookup(std::move(lookup))
    , mWaveTimer(new QTimer(this))
{
    mWaveTimer->setSingleShot(true);
    mWaveTimer->setInterval(WaveShownMs);
    connect(mWaveTimer, &QTimer::timeout, this, [this] {
        if (mWave)
            mWave->hide();
    });
}

TFieldSign &TFieldSigns::Sign(TFieldSign *&sign, const char *name)
{
    if (!sign)
        sign = new TFieldSign(&mArea, QString::fromLatin1(name));
    return *sign;
}

void TFieldSigns::Follow(const TTickResult &result, bool demoRunning, const QRect &field)
{
    if (result.GameStarted) {
        mWaveNumber = 1;
        mWaveTimer->stop();
        if (mWave)
            mWave->hide();
    }
    if (result.LevelCleared) {
        ++mWaveNumber;
        Sign(mWave, "WaveLabel")
            .ShowOver(field, mLookup(QStringLiteral("Wave")).arg(mWaveNumber));
        mWaveTimer->start();
    }
    if (demoRunning && !(mDemo && mDemo->isVisible()))
        Sign(mDemo, "DemoLabel").ShowOver(field, mLookup(QStringLiteral("DemoSign")), Qt::AlignBottom);
    else if (!demoRunning && mDemo)
        mDemo->hide();
}

void TFieldSigns::FollowField(const QRect &field)
{
    for (TFieldSign *sign : {mWave, mDemo}) {
        if (sign && sign->isVisible())
            sign->FollowField(field);
    }
}
