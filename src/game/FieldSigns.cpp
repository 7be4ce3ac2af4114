#include "FieldSigns.h"

#include "FieldSign.h"

#include "play/TickResult.h"

#include <QTimer>

#include <utility>

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
        Sign(mDemo, "DemoLabel").ShowOver(field, DemoText(), Qt::AlignBottom);
    else if (!demoRunning && mDemo)
        mDemo->hide();
}

QString TFieldSigns::DemoText() const
{
    return mLookup(mPadInput ? QStringLiteral("DemoSignPad") : QStringLiteral("DemoSign"));
}

void TFieldSigns::SetPadInput(bool pad, const QRect &field)
{
    if (std::exchange(mPadInput, pad) == pad)
        return;
    if (mDemo && mDemo->isVisible())
        mDemo->ShowOver(field, DemoText(), Qt::AlignBottom);
}

void TFieldSigns::ShowReplay(const QString &sign, const QRect &field)
{
    if (!sign.isEmpty())
        Sign(mReplay, "ReplayLabel").ShowOver(field, sign, Qt::AlignBottom);
    else if (mReplay)
        mReplay->hide();
}

void TFieldSigns::FollowField(const QRect &field)
{
    for (TFieldSign *sign : {mWave, mDemo, mReplay}) {
        if (sign && sign->isVisible())
            sign->FollowField(field);
    }
}
