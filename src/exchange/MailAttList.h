#pragma once

#include "exchange/ContentType.h"
#include "exchange/MailAttItem.h"

#include <vector>

// The files a message carries. Each file's type is looked up when it is
// added; tests hand their own look-up.
class TMailAttList
{
public:
    explicit TMailAttList(TContentTypeLookup lookup = ContentTypeFor) : mLookup(std::move(lookup)) {}

    // Reads the file now; EMailError (and the list unchanged) when it cannot.
    void Add(const QString &path) { mItems.emplace_back(path, mLookup); }
    void Clear() { mItems.clear(); }
    int Count() const { return int(mItems.size()); }
    bool IsEmpty() const { return mItems.empty(); }
    const TMailAttItem &At(int i) const { return mItems.at(size_t(i)); }

private:
    TContentTypeLookup mLookup;
    std::vector<TMailAttItem> mItems;
};
