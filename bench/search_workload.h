#pragma once
// The search benchmarks' favorites and keystrokes, shared by the program's
// run and the bare Qt baseline so that both do the same typing.

#include <ctime>
#include <string>
#include <vector>

// The i-th favorite (UTF-8): a third have Chinese titles.
inline std::string WorkloadTitle(int i) {
    static const char* const chinese[] = {"百度一下", "新浪新闻", "QQ邮箱", "淘宝网 - 我喜欢",
                                          "中国银行"};
    const std::string number = std::to_string(i);
    return i % 3 == 0 ? std::string(chinese[i / 3 % 5]) + " " + number
                      : "Favorite number " + number;
}

inline std::string WorkloadUrl(int i) {
    return "http://www.site" + std::to_string(i) + ".example/path/";
}

// The pause between keystrokes: a fast typist's, ten keys a second.
constexpr int kKeyGapMs = 100;

// Processor time of the calling thread: a keystroke slow in wall time but not
// here waited for the shared machine, not for its own work.
inline double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// 200 keystrokes: queries typed and taken back with Backspace ('\b').
inline std::vector<char> WorkloadKeystrokes() {
    const char* const queries[] = {"site73210", "bdyx",    "favorite n", "qqyx 4", "path",
                                   "zgyh",      "xlxw 99", "example",    "7321",   "tb"};
    std::vector<char> keys;
    for (int round = 0; keys.size() < 200; ++round) {
        const std::string query = queries[round % 10];
        keys.insert(keys.end(), query.begin(), query.end());
        keys.insert(keys.end(), query.size(), '\b');
    }
    keys.resize(200);
    return keys;
}
