#include "fakes/Journal.h"

namespace tarvo::fakes {

void Journal::Add(std::string entry) {
    const std::lock_guard<std::mutex> lock(mutex_);
    entries_.push_back(std::move(entry));
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
