#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/lock_channel/helper_start.h"

int ChannelArgument(int argc, char** argv) {
    if (argc != 3 || std::strcmp(argv[1], "--channel") != 0)
        return -1;
    char* end = nullptr;
    const long fd = std::strtol(argv[2], &end, 10);
    if (*end != '\0' || fd < 0 || fcntl(static_cast<int>(fd), F_GETFD) < 0)
        return -1;
    return static_cast<int>(fd);
}

void HardenHelper() {
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
    const rlimit none{0, 0};
    setrlimit(RLIMIT_CORE, &none);
    const int spare = ::open("/proc/self/oom_score_adj", O_WRONLY | O_CLOEXEC);
    if (spare >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(spare, "-1000", 5);
        ::close(spare);
    }
    signal(SIGPIPE, SIG_IGN);
    // A signal mask is inherited through exec; the helper wants its own.
    sigset_t nothingBlocked;
    sigemptyset(&nothingBlocked);
    sigprocmask(SIG_SETMASK, &nothingBlocked, nullptr);
}
