#pragma once

#include "sound/AudioDevice.h"
#include "sound/MixerTypes.h"

#include <array>
#include <memory>

struct TOutputBlock
{
    TWaveHeader Header;
    bool Free = true;
    int32_t FirstPosition = 0; // stream position of Data[0]
    TMixSession *Owner = nullptr;
    TOutputBlock *Next = nullptr; // in-flight list
    uint8_t Data[MaxBlockLength];
};

// The ring of output blocks that exists while the device is held, and the
// list of those handed to the device, in the order written.
class TOutputBlocks
{
public:
    TOutputBlocks() = default;
    TOutputBlocks(const TOutputBlocks &) = delete;
    TOutputBlocks &operator=(const TOutputBlocks &) = delete;

    // Allocates and prepares every block; on failure nothing is left behind.
    void Create(TAudioDevice &device, int32_t blockLength);
    // Unprepares and frees every block (device may be null after a failed open).
    void Destroy(TAudioDevice *device);
    bool Exist() const { return mBlocks[0] != nullptr; }

    // The first free block among the first `count`, taken; null when none.
    TOutputBlock *TakeFree(int count, int32_t length, TMixSession *owner);
    void AppendInFlight(TOutputBlock *block);
    void RemoveInFlight(TOutputBlock *block);
    // Frees every in-flight block the device has finished with.
    void ReleaseDone();
    // Frees the whole in-flight list.
    void ReleaseInFlight();

    TOutputBlock *InFlightHead() const { return mHead; }
    bool AnyInFlight() const { return mHead != nullptr; }
    int InFlightCount() const;
    TOutputBlock *Block(int index) const { return mBlocks[size_t(index)].get(); }

private:
    std::array<std::unique_ptr<TOutputBlock>, MaxBlockCount> mBlocks;
    TOutputBlock *mHead = nullptr;
    TOutputBlock *mTail = nullptr;
};
