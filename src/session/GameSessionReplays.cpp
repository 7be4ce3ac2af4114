// The recorded games of a session: the games of the high-score table, and
// showing one again on the field.
#include "session/GameSession.h"

#include "session/GameRecorder.h"
#include "session/ReplayStore.h"
#include "session/SessionView.h"

#include "base/ErrorReport.h"
#include "base/Random.h"
#include "design/DesignFolder.h"
#include "design/DesignHash.h"
#include "design/GamePar.h"
#include "play/GameCycle.h"
#include "play/GameRound.h"

#include <utility>

namespace {

bool SameDesign(const QString &a, const QString &b)
{
    return (IsDefaultDesignName(a) && IsDefaultDesignName(b)) || a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString TGameSession::CurrentDesignHash()
{
    if (mDesignHash.isEmpty())
        mDesignHash = DesignFilesHash(Roots(), Design().DesignName());
    return mDesignHash;
}

QString TGameSession::RecordingFileOf(int index) const
{
    const QStringList &entries = mHighScores.Entries();
    if (!mRecorder->Store() || index < 0 || index >= entries.size())
        return QString();
    // Equal entries share their games, the better-ranked one the newest.
    const int occurrence = static_cast<int>(entries.mid(index + 1).count(entries.at(index)));
    return mRecorder->Store()->FileOf(entries.at(index), occurrence);
}

std::optional<TGameRecording> TGameSession::RecordingOf(int index) const
{
    const QString file = RecordingFileOf(index);
    return file.isEmpty() ? std::nullopt : TReplayStore::Load(file);
}

std::vector<THighScoreRow> TGameSession::HighScoreRows() const
{
    std::vector<THighScoreRow> rows;
    const QStringList &entries = mHighScores.Entries();
    for (int i = static_cast<int>(entries.size()) - 1; i >= 0; --i) {
        const std::optional<TGameRecording> game = RecordingOf(i);
        rows.push_back({i, ParseScoreEntry(entries.at(i)), game ? game->Played : QDateTime()});
    }
    return rows;
}

TWatchRefusal TGameSession::WatchHighScore(int index)
{
    const QString file = RecordingFileOf(index);
    if (file.isEmpty())
        return TWatchRefusal::NotRecorded;
    const std::optional<TGameRecording> game = TReplayStore::Load(file);
    if (!game)
        return TWatchRefusal::Unreadable;
    return Watch(*game, SignFor(mHighScores.Entries().at(index)));
}

TWatchRefusal TGameSession::CheckRecording(const TGameRecording &game) const
{
    if (game.Format != TGameRecording::CurrentFormat || game.Rules != kRulesVersion)
        return TWatchRefusal::RulesChanged;
    if (!DesignExists(Roots(), game.Design))
        return TWatchRefusal::DesignMissing;
    if (DesignFilesHash(Roots(), game.Design) != game.DesignHash)
        return TWatchRefusal::DesignChanged;
    return TWatchRefusal::None;
}

TWatchRefusal TGameSession::Watch(const TGameRecording &game, const QString &sign)
{
    if (const TWatchRefusal refusal = CheckRecording(game); refusal != TWatchRefusal::None)
        return refusal;
    StartPlayback(game, sign);
    return TWatchRefusal::None;
}

void TGameSession::StartPlayback(const TGameRecording &game, const QString &sign)
{
    if (mPlayback)
        EndWatching();
    const QString before = Design().DesignName();
    if (!SameDesign(before, game.Design))
        ApplyDesign(IsDefaultDesignName(game.Design) ? QString() : game.Design);
    mRecorder->Discard();
    mPlayback = TPlayback{.Game = game, .Next = 0, .Keys = {}, .Design = before, .Seed = Random::State(),
                          .LookSeed = Random::LookState()};
    Random::SetState(game.Seed, game.LookSeed);
    mCycle->StartGame(false);
    FollowCycle();
    mView.ShowReplay(sign);
}

void TGameSession::PlaybackTick()
{
    TPlayback &playback = *mPlayback;
    const std::vector<std::uint8_t> &keys = playback.Game.Keys;
    TGameRecording::Hold(playback.Keys, playback.Next < keys.size() ? keys[playback.Next] : 0);
    ++playback.Next;
    TTickResult result = mCycle->Tick(playback.Keys);
    // Watching a game is no result of the player's.
    result.GameEnded.reset();
    result.HighScoreEntry.reset();
    Follow(result);
    if (!mCycle->InGame() || playback.Next > keys.size())
        EndWatching();
}

void TGameSession::EndWatching()
{
    if (!mPlayback)
        return;
    const TPlayback playback = *std::exchange(mPlayback, std::nullopt);
    Random::SetState(playback.Seed, playback.LookSeed);
    mView.ShowReplay({});
    if (mCycle->InGame()) {
        mCycle->StopRound();
        mCycle->ShowAttract();
    }
    if (!SameDesign(playback.Design, Design().DesignName()))
        ErrorReport::Guard([&] { ApplyDesign(playback.Design); });
    FollowCycle();
    mPause.GameStopped();
    FollowPause();
}

bool TGameSession::StartChampion()
{
    if (!mRecorder->Store())
        return false;
    // Every other wait is the demo's: the games and the design's files are
    // read only on the champion's turn, and the design hashed once.
    if (!mChampionsTurn) {
        mChampionsTurn = true;
        return false;
    }
    const QStringList &entries = mHighScores.Entries();
    for (int i = static_cast<int>(entries.size()) - 1; i >= 0; --i) {
        if (!SameDesign(ParseScoreEntry(entries.at(i)).design, Design().DesignName()))
            continue;
        const std::optional<TGameRecording> game = RecordingOf(i);
        if (!game || CheckRecording(*game) != TWatchRefusal::None)
            continue;
        mChampionsTurn = false;
        StartPlayback(*game, SignFor(entries.at(i)));
        return true;
    }
    return false;
}

QString TGameSession::SignFor(const QString &entry) const
{
    const TScoreEntry parsed = ParseScoreEntry(entry);
    QString sign = mMessages(QStringLiteral("ReplaySign"));
    if (!sign.contains(QLatin1String("%2")))
        sign = QStringLiteral("REPLAY — %1 %2");
    return sign.arg(parsed.name, QString::number(parsed.score));
}

QString TGameSession::RefusalText(TWatchRefusal refusal, const QString &design) const
{
    // The English words stand in where no language file is read (a scripted run).
    struct TText {
        TWatchRefusal Refusal;
        const char *Key;
        const char *English;
    };
    static const TText kTexts[] = {
        {TWatchRefusal::NotRecorded, "ReplayNotRecorded", "This game was not recorded, so it cannot be watched."},
        {TWatchRefusal::Unreadable, "ReplayUnreadable", "The recording of this game cannot be read."},
        {TWatchRefusal::RulesChanged, "ReplayRulesChanged",
         "This game was played by the rules of another version of Snapstorm and would not play the same."},
        {TWatchRefusal::DesignMissing, "ReplayDesignMissing",
         "This game was played on the design \"%1\", which is no longer there."},
        {TWatchRefusal::DesignChanged, "ReplayDesignChanged",
         "The design \"%1\" has changed since this game was played, so it would not play the same."}};
    for (const TText &text : kTexts) {
        if (text.Refusal != refusal)
            continue;
        const QString key = QString::fromLatin1(text.Key);
        QString words = mMessages(key);
        if (words == key)
            words = QString::fromUtf8(text.English);
        return words.replace(QLatin1String("%1"), design);
    }
    return {};
}
