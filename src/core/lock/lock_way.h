#pragma once
// How the lock can hold this session. On X11 the program's own cover holds
// the input; on Wayland only the compositor can keep other windows from the
// keyboard, so the lock goes through a compositor protocol or, where none
// is offered, through the desktop's own screen lock.

#include <string>
#include <vector>

enum class LockWay {
    OwnCover,    // the lock window with the keyboard and pointer held
    LockClient,  // the Wayland lock client draws the lock
    DesktopLock, // the desktop is asked to lock itself
};

// The Wayland globals the lock client can lock with.
inline constexpr char kSessionLockGlobal[] = "ext_session_lock_manager_v1";
inline constexpr char kLayerShellGlobal[] = "zwlr_layer_shell_v1";
inline constexpr char kInputInhibitGlobal[] = "zwlr_input_inhibit_manager_v1";

// `globals`: the interface names the compositor offers (none when it could
// not be reached). Overlay surfaces alone lock nothing: without the input
// inhibitor the compositor still hands the keyboard to other windows.
LockWay ChooseLockWay(bool waylandSession, const std::vector<std::string>& globals);
