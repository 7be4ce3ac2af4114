#include "sound/OutputBlocks.h"

#include "sound/MixerError.h"

#include <new>
#include <string>

void TOutputBlocks::Create(TAudioDevice &device, int32_t blockLength)
{
    try {
        for (auto &block : mBlocks) {
            block = std::make_unique<TOutputBlock>();
            block->Header.Buffer = block->Data;
            block->Header.BufferLength = blockLength;
        }
    } catch (const std::bad_alloc &) {
        Destroy(nullptr);
        throw EMixerError(MixMessage::Memory);
    }
    for (auto &block : mBlocks) {
        if (const int error = device.Prepare(block->Header)) {
            Destroy(&device);
            throw EMixerError(MixMessage::PrepareFailed + std::to_string(error));
        }
        block->Header.Done = true;
    }
    mHead = mTail = nullptr;
}

void TOutputBlocks::Destroy(TAudioDevice *device)
{
    for (auto &block : mBlocks) {
        if (block && device && block->Header.Prepared)
            device->Unprepare(block->Header);
        block.reset();
    }
    mHead = mTail = nullptr;
}

TOutputBlock *TOutputBlocks::TakeFree(int count, int32_t length, TMixSession *owner)
{
    for (int i = 0; i < count && i < MaxBlockCount; ++i) {
        TOutputBlock *block = mBlocks[size_t(i)].get();
        if (block && block->Free) {
            block->Free = false;
            block->Header.BufferLength = length;
            block->Owner = owner;
            return block;
        }
    }
    return nullptr;
}

void TOutputBlocks::AppendInFlight(TOutputBlock *block)
{
    block->Next = nullptr;
    if (mTail)
        mTail->Next = block;
    else
        mHead = block;
    mTail = block;
}

void TOutputBlocks::RemoveInFlight(TOutputBlock *block)
{
    TOutputBlock *previous = nullptr;
    for (TOutputBlock *it = mHead; it; previous = it, it = it->Next) {
        if (it != block)
            continue;
        (previous ? previous->Next : mHead) = it->Next;
        if (mTail == it)
            mTail = previous;
        it->Next = nullptr;
        return;
    }
}

void TOutputBlocks::ReleaseDone()
{
    TOutputBlock *it = mHead;
    while (it) {
        TOutputBlock *next = it->Next;
        if (it->Header.Done) {
            RemoveInFlight(it);
            it->Free = true;
        }
        it = next;
    }
}

void TOutputBlocks::ReleaseInFlight()
{
    for (TOutputBlock *it = mHead; it;) {
        TOutputBlock *next = it->Next;
        it->Free = true;
        it->Next = nullptr;
        it = next;
    }
    mHead = mTail = nullptr;
}

int TOutputBlocks::InFlightCount() const
{
    int count = 0;
    for (TOutputBlock *it = mHead; it; it = it->Next)
        ++count;
    return count;
}
