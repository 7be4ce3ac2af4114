#pragma once

#include "WaveBytes.h"
#include "support/TempDir.h"

#include "sound/ManualAudioBackend.h"
#include "sound/MixEngine.h"
#include "sound/MixerError.h"

#include <gtest/gtest.h>

#include <memory>

// An engine on the manual device with 512-byte blocks, three of them.
class EngineFixture : public ::testing::Test
{
protected:
    static constexpr int Block = 512;

    void Start(const QByteArray &extraIni = QByteArray(), bool openAll = true)
    {
        const QString ini =
            mDir.Write(QStringLiteral("MIXER.INI"),
                       "[default]\nBlockLength=512\nBlockCount=3\n" + extraIni);
        mEngine = std::make_unique<TMixEngine>(mBackend, ini);
        mSession = mEngine->MixInit(nullptr);
        if (openAll)
            mEngine->MixOpenChannel(mSession, 0, ChannelOpenAll);
        mEngine->MixActivate(mSession, true);
    }

    TManualAudioDevice &Device() { return *mBackend.Device(); }

    TPlayParams Params(int channel, const TLoadedWave &wave, uint32_t flags = 0,
                       uint16_t loops = 0)
    {
        TPlayParams params;
        params.Session = mSession;
        params.Channel = channel;
        params.Wave = &wave;
        params.Flags = flags;
        params.Loops = loops;
        return params;
    }

    void Play(int channel, const TLoadedWave &wave, uint32_t flags = 0, uint16_t loops = 0)
    {
        TPlayParams params = Params(channel, wave, flags, loops);
        mEngine->MixPlay(&params);
    }

    int Queued(int channel) const
    {
        int count = 0;
        for (TQueuedPlay *p = mSession->Channels[size_t(channel)].Head; p; p = p->Next)
            ++count;
        return count;
    }

    static QByteArray Silence(int length) { return QByteArray(length, char(128)); }

    TempDir mDir;
    TManualAudioBackend mBackend;
    std::unique_ptr<TMixEngine> mEngine;
    TMixSession *mSession = nullptr;
};

#define EXPECT_MIXER_ERROR(statement, text)                                                   \
    do {                                                                                      \
        try {                                                                                 \
            statement;                                                                        \
            ADD_FAILURE() << "expected EMixerError: " << (text);                              \
        } catch (const EMixerError &error) {                                                  \
            EXPECT_EQ(std::string(error.what()), std::string(text));                          \
        }                                                                                     \
    } while (false)
