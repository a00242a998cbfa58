#include "core/lock/restart_pace.h"

#include <algorithm>

std::chrono::milliseconds RestartPace::Delay(Clock::time_point now) const {
    if (static_cast<int>(starts_.size()) < kQuickStarts || now - starts_.front() >= kQuickWindow)
        return std::chrono::milliseconds(0);
    const auto due = starts_.back() + kSlowInterval;
    return std::max(std::chrono::milliseconds(0),
                    std::chrono::duration_cast<std::chrono::milliseconds>(due - now));
}

void RestartPace::Started(Clock::time_point now) {
    starts_.push_back(now);
    if (static_cast<int>(starts_.size()) > kQuickStarts)
        starts_.pop_front();
}
