#pragma once

#include "sound/MixerTypes.h"

#include <array>
#include <functional>

// One of the eight logical channels: closed, or open with a queue of plays
// in start order.
struct TChannel
{
    bool Open = false;
    TQueuedPlay *Head = nullptr;
};

using TChannelTable = std::array<TChannel, MixChannelCount>;

// The fixed set of play records. Built once per session so that scheduling
// a play never allocates.
class TPlayPool
{
public:
    TPlayPool() { Rebuild(); }
    TPlayPool(const TPlayPool &) = delete;
    TPlayPool &operator=(const TPlayPool &) = delete;

    void Rebuild();
    // Null when every record is in use.
    TQueuedPlay *Take();
    void Give(TQueuedPlay *record);
    int FreeCount() const { return mFreeCount; }

private:
    std::array<TQueuedPlay, PlayRecordCount> mRecords;
    TQueuedPlay *mFree = nullptr;
    int mFreeCount = 0;
};

// Singly linked channel queues.
namespace PlayQueue {
TQueuedPlay *Last(TQueuedPlay *head);
void Append(TQueuedPlay *&head, TQueuedPlay *record);
// Returns every record for which `match` holds to the pool; the count removed.
int ReleaseIf(TQueuedPlay *&head, TPlayPool &pool,
              const std::function<bool(const TQueuedPlay &)> &match);
int ReleaseAll(TQueuedPlay *&head, TPlayPool &pool);
} // namespace PlayQueue

// Plays accepted but not yet placed, oldest first. Kept as a ring whose
// newest record links to the oldest.
class TPendingRing
{
public:
    bool Empty() const { return mNewest == nullptr; }
    void Push(TQueuedPlay *record);
    TQueuedPlay *PopOldest();
    int ReleaseIf(TPlayPool &pool, const std::function<bool(const TQueuedPlay &)> &match);
    void Clear() { mNewest = nullptr; }

private:
    TQueuedPlay *mNewest = nullptr;
};
