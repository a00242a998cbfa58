// The font configuration is read once per process (some 4 ms of XML and
// cache files) the first time any text is measured. Read on a thread of its
// own while the application object is being made, it is ready when the main
// window lays out its first line instead of holding up its first frame.
#include <fontconfig/fontconfig.h>
#include <thread>

#include "platform/platform.h"

namespace platform {

void ReadFontConfigurationAhead() {
    // A second reader meanwhile reads its own copy and one of them is kept:
    // fontconfig sets its configuration once, atomically.
    std::thread([] { FcInit(); }).detach();
}

} // namespace platform
