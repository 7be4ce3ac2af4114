#pragma once

#include "exchange/MailAddress.h"

#include <vector>

// The recipients (or copies) of a message, in the order they were added.
class TMailAddressList
{
public:
    void Add(const QString &name, const QString &address) { mItems.emplace_back(name, address); }
    void Clear() { mItems.clear(); }
    int Count() const { return int(mItems.size()); }
    bool IsEmpty() const { return mItems.empty(); }
    const TMailAddress &At(int i) const { return mItems.at(size_t(i)); }
    TMailAddress &At(int i) { return mItems.at(size_t(i)); }

private:
    std::vector<TMailAddress> mItems;
};
