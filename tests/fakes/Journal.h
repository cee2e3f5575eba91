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
    // The next entry equal to entry is recorded and then thrown as an exception
    // out of the fake that made it, once: a failure anywhere the core calls out.
    void ThrowAt(std::string entry);

private:
    mutable std::mutex mutex_;
    std::vector<std::string> entries_;
    std::string throwAt_;
};

}  // namespace tarvo::fakes
