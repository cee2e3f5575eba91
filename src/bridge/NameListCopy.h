// A snapshot of a name list, id to name, in id order; it does not follow later
// changes. Its names lie side by side, so a discovery pass over ten thousand
// of them reads memory in order instead of chasing a tree's nodes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace tarvo::bridge {

class NameListCopy {
public:
    using Entry = std::pair<std::int32_t, std::string>;

    NameListCopy() = default;
    NameListCopy(std::initializer_list<Entry> entries) {
        for (const Entry& entry : entries) emplace(entry.first, entry.second);
    }

    // Adds the name unless the id already has one, which it keeps; false then.
    bool emplace(std::int32_t id, std::string name) {
        // Copies come in id order: each name goes on the end.
        auto at = entries_.end();
        if (!entries_.empty() && entries_.back().first >= id) {
            at = Find(id);
            if (at->first == id) return false;
        }
        entries_.insert(at, Entry(id, std::move(name)));
        return true;
    }
    // The id's name, an empty one added if it had none.
    std::string& operator[](std::int32_t id) {
        const auto at = Find(id);
        if (at != entries_.end() && at->first == id) return at->second;
        return entries_.insert(at, Entry(id, std::string()))->second;
    }

    void reserve(std::size_t count) { entries_.reserve(count); }
    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<Entry>::const_iterator end() const { return entries_.end(); }

private:
    // The first entry whose id is not below id.
    std::vector<Entry>::iterator Find(std::int32_t id) {
        return std::lower_bound(entries_.begin(), entries_.end(), id,
                                [](const Entry& entry, std::int32_t key) { return entry.first < key; });
    }

    std::vector<Entry> entries_;
};

}  // namespace tarvo::bridge
