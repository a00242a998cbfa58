// Runs store operations on a data file, as the favorites page would, and
// reports each one that has returned on standard output. The crash test runs
// it under strace, which kills it at a chosen write. The reports go out with
// writev, a call the test never counts as a change of the file.
#include <cstdio>
#include <string>
#include <sys/uio.h>

#include "core/store/store.h"
#include "crash/store_script.h"

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    Store store;
    store.path = argv[1];
    if (ReadStore(store) != ReadOutcome::Ok)
        return 3;
    for (int i = 2; i < argc; ++i) {
        char line[32];
        const int length =
            std::snprintf(line, sizeof line, "%d %d\n", i - 1, ApplyOp(store, argv[i]));
        iovec part{line, static_cast<std::size_t>(length)};
        ::writev(1, &part, 1);
    }
    return 0;
}
