#include "fakes/Journal.h"

#include <stdexcept>

namespace tarvo::fakes {

void Journal::Add(std::string entry) {
    bool fail = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (!throwAt_.empty() && entry == throwAt_) {
            fail = true;
            throwAt_.clear();
        }
        entries_.push_back(std::move(entry));
    }
    if (fail) throw std::runtime_error("failure made by the test");
}

void Journal::ThrowAt(std::string entry) {
    const std::lock_guard<std::mutex> lock(mutex_);
    throwAt_ = std::move(entry);
}

std::vector<std::string> Journal::Entries() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return entries_;
}

std::vector<std::string> Journal::EntriesStartingWith(std::string_view prefix) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> matching;
    for (const std::string& entry : entries_) {
        if (entry.starts_with(prefix)) matching.push_back(entry);
    }
    return matching;
}

void Journal::Clear() {
    const std::lock_guard<std::mutex> lock(mutex_);
    entries_.clear();
}

}  // namespace tarvo::fakes
