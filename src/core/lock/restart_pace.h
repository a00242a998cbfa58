#pragma once
// How soon a lock helper that died while the lock holds is started again.
// It is always started again: a process of the user that kills it over and
// over must never open the desktop. The pace only keeps such a loop from
// taking the machine: a few starts at once, then one every little while.

#include <chrono>
#include <deque>

class RestartPace {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kQuickStarts = 5;
    static constexpr std::chrono::milliseconds kQuickWindow{10000};
    static constexpr std::chrono::milliseconds kSlowInterval{2000};

    // How long to wait from `now` before the next start.
    std::chrono::milliseconds Delay(Clock::time_point now) const;
    // A start happened at `now`.
    void Started(Clock::time_point now);
    // The lock ended: the next lock starts afresh.
    void Reset() { starts_.clear(); }

private:
    std::deque<Clock::time_point> starts_; // the last kQuickStarts, oldest first
};
