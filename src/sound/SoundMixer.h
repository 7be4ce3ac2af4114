#pragma once

#include "sound/AudioDevice.h"
#include "sound/MixerTypes.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class TMixEngine;
struct TMixSession;

// The sound component: one mixing session on one output device, published
// as two properties (Activated, Channels) plus the calls that load, release
// and play waves. Every failure is an EMixerError with the engine's text.
//
// Use in the game:
//   auto *mixer = TSoundMixer::CreateForGame(this);   // Channels 255, Activated true
//   connect(app, &QGuiApplication::applicationStateChanged, this, [mixer](auto state) {
//       ErrorReport::Guard([&] { mixer->SetActivated(state == Qt::ApplicationActive); });
//   });
//   TLoadedWave *shot = mixer->LoadWave(path);        // per design sound
//   mixer->PlayCue(1, shot);                          // flush channel 1, then play once
//   mixer->ReleaseWave(shot);                         // before loading another design
//
// The component owns every wave it loaded until ReleaseWave or its own end,
// so a wave can never outlive the engine that plays it. Tests and scripted
// runs pass their own backend (TManualAudioBackend) instead of SDL's.
class TSoundMixer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Activated READ Activated WRITE SetActivated)
    Q_PROPERTY(int Channels READ Channels WRITE SetChannels)
    Q_PROPERTY(int Volume READ Volume WRITE SetVolume)

public:
    // `backend` null means SDL's; `iniPath` null means FindMixerIni().
    // Raises "Initialization failed (MixInit)" or MixInit's own failure.
    explicit TSoundMixer(QObject *owner, std::unique_ptr<TAudioBackend> backend = nullptr,
                         const QString &iniPath = QString());
    ~TSoundMixer() override;

    // A mixer as the main window keeps it: all eight channels open and the
    // device taken.
    static TSoundMixer *CreateForGame(QObject *owner,
                                      std::unique_ptr<TAudioBackend> backend = nullptr);

    bool Activated() const { return mActivated; }
    void SetActivated(bool value);
    // Bit i set: channel i open.
    int Channels() const { return mChannels; }
    void SetChannels(int mask);
    // Output level in percent, 0..100 (clamped); blocks already handed to
    // the device keep the level they were mixed with.
    int Volume() const;
    void SetVolume(int percent);

    TLoadedWave *LoadWave(const QString &fileName);
    // The bytes LoadWave would hold for the file, from its headers alone.
    int64_t ConvertedSize(const QString &fileName) const;
    void ReleaseWave(TLoadedWave *wave);
    void FlushAll(bool noRemix);
    void FlushChannel(int channel, bool noRemix);
    // `notify`, when set, receives a TPlayDoneEvent after the play ends and
    // must outlive the play.
    void Play(int channel, TLoadedWave *wave, QObject *notify = nullptr, uint32_t flags = 0,
              uint16_t loops = 0);
    // A sound cue: cancels what of the channel's previous play is not yet
    // mixed, then plays `wave` once on it. With "CueAtPlayPosition" set the
    // cue starts where the device is playing, mixed again into the blocks
    // already queued, and cuts its previous occurrence there.
    void PlayCue(int channel, TLoadedWave *wave);

    TMixEngine &Engine() const { return *mEngine; }
    TMixSession *Session() const { return mSession; }
    TAudioBackend &Backend() const { return *mBackend; }

private:
    std::unique_ptr<TAudioBackend> mBackend;
    std::unique_ptr<TMixEngine> mEngine;
    TMixSession *mSession = nullptr;
    TPlayParams mParams;
    std::vector<std::unique_ptr<TLoadedWave>> mWaves;
    bool mActivated = false;
    int mChannels = 0;
};
