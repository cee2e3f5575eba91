// Runs a function when the scope ends, however it ends: the way a thread's
// "running" flag is cleared even when its body ends by an exception.
#pragma once

#include <utility>

namespace tarvo {

template <typename Function>
class ScopeExit {
public:
    explicit ScopeExit(Function function) : function_(std::move(function)) {}
    ~ScopeExit() { function_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Function function_;
};

}  // namespace tarvo
