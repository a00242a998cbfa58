#pragma once
// The first steps of a lock helper (the X11 guard, the Wayland lock client).

// The channel descriptor of "HELPER --channel FD", or -1 when the arguments
// are anything else or FD is not open.
int ChannelArgument(int argc, char** argv);

// No core file and no debugger of the same user may read the password, and
// the out-of-memory killer is asked to spare the helper. The kernel lets only
// a process with CAP_SYS_RESOURCE lower its oom_score_adj, so an ordinary
// user's helper keeps the value it inherited; the killer picks by size, and
// a helper's few megabytes stand far behind the program and its web engine.
void HardenHelper();
