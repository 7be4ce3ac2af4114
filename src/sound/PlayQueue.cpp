#include "sound/PlayQueue.h"

#include <algorithm>

int32_t PlayEnd(int32_t start, uint16_t loops, int32_t length)
{
    if (loops == LoopForever || start == EndOfTime)
        return EndOfTime;
    const int64_t end = int64_t(start) + (int64_t(loops) + 1) * length - 1;
    return int32_t(std::min<int64_t>(end, EndOfTime));
}

void TPlayPool::Rebuild()
{
    mFree = nullptr;
    for (auto it = mRecords.rbegin(); it != mRecords.rend(); ++it) {
        *it = TQueuedPlay{};
        it->Next = mFree;
        mFree = &*it;
    }
    mFreeCount = PlayRecordCount;
}

TQueuedPlay *TPlayPool::Take()
{
    TQueuedPlay *record = mFree;
    if (!record)
        return nullptr;
    mFree = record->Next;
    record->Next = nullptr;
    --mFreeCount;
    return record;
}

void TPlayPool::Give(TQueuedPlay *record)
{
    *record = TQueuedPlay{};
    record->Next = mFree;
    mFree = record;
    ++mFreeCount;
}

namespace PlayQueue {

TQueuedPlay *Last(TQueuedPlay *head)
{
    while (head && head->Next)
        head = head->Next;
    return head;
}

void Append(TQueuedPlay *&head, TQueuedPlay *record)
{
    record->Next = nullptr;
    if (TQueuedPlay *last = Last(head))
        last->Next = record;
    else
        head = record;
}

int ReleaseIf(TQueuedPlay *&head, TPlayPool &pool,
              const std::function<bool(const TQueuedPlay &)> &match)
{
    int removed = 0;
    TQueuedPlay **link = &head;
    while (TQueuedPlay *record = *link) {
        if (match(*record)) {
            *link = record->Next;
            pool.Give(record);
            ++removed;
        } else {
            link = &record->Next;
        }
    }
    return removed;
}

int ReleaseAll(TQueuedPlay *&head, TPlayPool &pool)
{
    return ReleaseIf(head, pool, [](const TQueuedPlay &) { return true; });
}

} // namespace PlayQueue

void TPendingRing::Push(TQueuedPlay *record)
{
    if (!mNewest) {
        record->Next = record;
    } else {
        record->Next = mNewest->Next;
        mNewest->Next = record;
    }
    mNewest = record;
}

TQueuedPlay *TPendingRing::PopOldest()
{
    if (!mNewest)
        return nullptr;
    TQueuedPlay *oldest = mNewest->Next;
    if (oldest == mNewest)
        mNewest = nullptr;
    else
        mNewest->Next = oldest->Next;
    oldest->Next = nullptr;
    return oldest;
}

int TPendingRing::ReleaseIf(TPlayPool &pool,
                            const std::function<bool(const TQueuedPlay &)> &match)
{
    // Unrolled into a plain list, filtered, and rolled up again in order.
    TQueuedPlay *head = nullptr;
    TQueuedPlay *tail = nullptr;
    while (TQueuedPlay *record = PopOldest()) {
        if (tail)
            tail->Next = record;
        else
            head = record;
        tail = record;
    }
    const int removed = PlayQueue::ReleaseIf(head, pool, match);
    while (head) {
        TQueuedPlay *next = head->Next;
        Push(head);
        head = next;
    }
    return removed;
}
