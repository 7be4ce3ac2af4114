#include "session/GameRecorder.h"

#include "session/ReplayStore.h"

#include "base/FileWriter.h"
#include "base/Random.h"
#include "play/HighScoreTable.h"

#include <QDateTime>

#include <utility>

TGameRecorder::TGameRecorder(const QString &folder)
{
    if (!folder.isEmpty())
        mStore = std::make_unique<TReplayStore>(folder);
}

TGameRecorder::~TGameRecorder() = default;

void TGameRecorder::Begin(const QString &design, const QString &designHash)
{
    Discard();
    if (!mStore)
        return;
    mRecording = TGameRecording{.Seed = Random::State(),
                                .LookSeed = Random::LookState(),
                                .Design = design.isEmpty() ? QStringLiteral("Default") : design,
                                .DesignHash = designHash};
}

void TGameRecorder::Discard()
{
    mRecording.reset();
    mFinished.reset();
}

void TGameRecorder::Tick(const TKeyState &keys)
{
    if (mRecording)
        mRecording->Keys.push_back(TGameRecording::HeldMask(keys));
}

void TGameRecorder::Finish(std::int32_t score)
{
    if (!mRecording)
        return;
    mRecording->Score = score;
    mFinished = std::exchange(mRecording, std::nullopt);
}

void TGameRecorder::Entered(const QString &entry)
{
    std::optional<TGameRecording> game = std::exchange(mFinished, std::nullopt);
    if (!game || entry.isEmpty())
        return;
    game->Entry = entry;
    game->Played = QDateTime::currentDateTimeUtc();
    mWaiting.push_back(std::move(*game));
}

void TGameRecorder::Written(const QStringList &settingsLines)
{
    if (!mStore)
        return;
    std::vector<TGameRecording> failed;
    for (TGameRecording &game : mWaiting) {
        try {
            mStore->Keep(game);
        } catch (const EWriteError &e) {
            mFailure = QString::fromUtf8(e.what());
            failed.push_back(std::move(game));
        }
    }
    mWaiting = std::move(failed);
    QStringList entries;
    ReadPrefixedLines(QStringLiteral("Score="), settingsLines, entries);
    mStore->Prune(entries);
}

QString TGameRecorder::TakeFailure()
{
    const QString failure = std::exchange(mFailure, QString());
    // Said once, as a settings file that cannot be written is.
    return failure.isEmpty() || std::exchange(mFailureShown, true) ? QString() : failure;
}
