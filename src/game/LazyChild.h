#pragma once

#include <functional>
#include <utility>

// A child window built on its first use rather than with its parent, so
// that the parent shows sooner. Owned by its Qt parent once built.
template <class T>
class TLazyChild
{
public:
    void Defer(std::function<T *()> create) { mCreate = std::move(create); }
    T *Get()
    {
        if (!mObject)
            mObject = mCreate();
        return mObject;
    }
    T *operator->() { return Get(); }
    T &operator*() { return *Get(); }

private:
    std::function<T *()> mCreate;
    T *mObject = nullptr;
};
