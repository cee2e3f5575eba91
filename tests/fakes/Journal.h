// One ordered record of what the core did through every fake port, so a test
// can compare a whole sequence (start-up, shutdown) with an expected table.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::fakes {

class Journal {
public:
    void Add(std::string entry);
    std::vector<std::string> Entries() const;
    // Entries that start with prefix, in order.
    std::vector<std::string> EntriesStartingWith(std::string_view prefix) const;
    void Clear();

private:
    mutable std::mutex mutex_;
    std::vector<std::string> entries_;
};

}  // namespace tarvo::fakes
