#pragma once
// The operating-system services the program needs, one free function per
// service. Each backend defines all of them (on Linux the folders linux/,
// freedesktop/, x11/ and wayland/ together; later win/); CMake links exactly
// one backend. Window code never checks the platform itself.

#include <functional>
#include <string>
#include <vector>

#include "core/favorites/bookmark_tree.h"
#include "core/lock/lock_way.h"
#include "core/shell/command_line.h"

class QWidget;

namespace platform {

// Process-wide settings that must be in place before the QApplication exists.
void PrepareProcess();
// Starts reading what the first text drawn needs, alongside the making of
// the QApplication.
void ReadFontConfigurationAhead();

enum class InstanceLock { Acquired, AlreadyRunning, Failed };
// Takes the per-user instance lock "Tavinor" for the life of the process.
InstanceLock AcquireInstanceLock();
// Calls `handler` on the window thread with each request a second start
// sends the running instance (come back, show the favorites, lock). It
// answers at once whether the program takes the request, which the second
// start is told; the work itself it leaves to the event loop.
void OnInstanceRequest(std::function<bool(StartAction)> handler);
enum class InstanceAnswer { Taken, Refused, NoAnswer, Unreachable };
// Run by a second start: hands `action` to the running instance and waits a
// few seconds for its answer.
InstanceAnswer AskRunningInstance(StartAction action);

// Folder of the data file, created when missing (UTF-8 path).
std::string DataDirectory();
// The user's documents folder, created when missing (UTF-8 path).
std::string DocumentsDirectory();

// Hands a web address, or the program's own mine.htm, to the user's default
// web browser; anything else is dropped silently (shell/open_address.h).
void OpenInSystemBrowser(const std::string& address);

// Global hot keys on the main window; a combination held by another program
// is silently not registered. Modifiers use the Windows values (Alt 1, Ctrl 2),
// keys the Windows virtual-key codes of letters ('B', 'K'). `description`
// (UTF-8) names the action where the desktop lists the program's shortcuts.
constexpr unsigned kModAlt = 1;
constexpr unsigned kModControl = 2;
bool RegisterHotKey(QWidget* window, int id, unsigned modifiers, unsigned virtualKey,
                    const std::string& description = {});
void UnregisterHotKey(QWidget* window, int id);
// Called on the window thread with the id of a pressed hot key.
void SetHotKeyHandler(std::function<void(int id)> handler);
// Called on the window thread once the desktop has answered whether the hot
// keys are bound, where that is the desktop's to decide (Wayland sessions):
// false when it has no way to bind them, refused, or left one out.
void OnHotKeysBound(std::function<void(bool bound)> handler);

// Gives the memory the process has freed back to the system.
void ReturnFreedMemory();

// Width and height of the primary screen in pixels.
struct ScreenSize {
    int width;
    int height;
};
ScreenSize PrimaryScreenSize();

// Calls `handler` on the window thread when the session asks the program
// to end (SIGTERM, SIGINT on Linux), so it can close as if the user did.
void OnTerminationRequest(std::function<void()> handler);

// The user's browser favorites, text in UTF-8: a folder of internet shortcuts
// (~/Favorites) when the user has one, otherwise the bookmarks of the installed
// browsers (Firefox's default profile, the Chromium family), each browser's
// top folders as folders of the tree.
struct BrowserFavorites {
    bool found = false; // some source of favorites exists
    BookmarkNode root = BookmarkNode::Folder("");
    std::vector<std::string> unreadable; // sources that exist but could not be read
    // The root is a folder of internet shortcuts, its names and addresses
    // the bytes the files hold (UTF-8 or GBK); else the browsers' UTF-8.
    bool shortcutFolder = false;
};
BrowserFavorites ReadBrowserFavorites();

// The local date and time as text, in the desktop's short date and long time form.
std::string LocalDateTimeText();

// The computer lock.
// The whole desktop, every monitor together, in screen pixels.
struct DesktopRect {
    int x;
    int y;
    int width;
    int height;
};
DesktopRect DesktopArea();
// A per-user policy value (the registry under HKEY_CURRENT_USER on Windows, a
// settings file here), its key path written with backslashes. Reads 0 when the
// value is missing, unreadable or not a 32-bit number.
unsigned ReadUserPolicy(const std::string& key, const std::string& name);
// False when the settings could not be opened or written.
bool WriteUserPolicy(const std::string& key, const std::string& name, unsigned value);
// Hides the desktop's panels (taskbars, docks) and shows exactly those again;
// with no panel both do nothing.
void HideDesktopPanels();
void ShowDesktopPanels();
// Takes the keyboard and the pointer for the shown `window`, so that no key
// and no click reaches another program; true only when both are really held.
// Calling it again while held renews the grab.
bool GrabInput(QWidget* window);
void ReleaseInput();
// Hands the held keyboard to another of the program's shown windows.
void FocusInput(QWidget* window);
// Takes the program's hidden top-level `window` out of the window manager's
// hands for its next showings (or gives it back): nobody but the program then
// stacks, focuses or moves it.
void BypassWindowManager(QWidget* window, bool bypass);
// Keeps `windows` (lowest first) above every other top-level window: whenever
// another one is mapped or raised over them they are raised again. An empty
// list stops it.
void KeepAbove(std::vector<QWidget*> windows);
// A guard process beside the program keeps the screen locked should the
// program end while locked; `password` (UTF-8, not empty) unlocks it. False
// when it could not be started: the lock then ends with the program.
bool StartLockGuard(const std::string& password);
// The password that unlocks the guard from now on; nothing without a guard.
bool SetLockGuardPassword(const std::string& password);
// The lock ended normally: the guard ends without showing anything.
void StopLockGuard();

// How the lock holds this session; the cover and guard above serve OwnCover
// only. The compositor is asked once, on a thread of its own that the first
// call (or StartSessionLockProbe, at start) begins; a call waits for its
// answer, which takes at most a few seconds.
LockWay SessionLockWay();
void StartSessionLockProbe();
// LockWay::LockClient: the lock client beside the program locks the desktop
// at once with `password` (UTF-8, not empty) and keeps it locked should the
// program end. A client that dies once the desktop was locked is replaced
// every time, until the password is typed. Its events arrive on the window
// thread; after `unlocked`, `failed` or `ended` the lock is over. False when
// not even the first client could be started.
struct LockClientEvents {
    std::function<void()> unlocked;                               // the right password was typed
    std::function<void(const std::string& password)> passwordSet; // UTF-8, typed at the lock
    std::function<void()> failed; // the first client ended before the desktop was locked
    std::function<void()> ended;  // the compositor ended the lock: another locker has it
};
bool StartLockClient(const std::string& password, LockClientEvents events);
// From the start until the lock is over, replacements included.
bool LockClientRunning();
// LockWay::DesktopLock: asks the desktop to lock itself with its own screen
// lock and waits, on the window thread's event loop, for the desktop to say
// that it is locked: `done(true)` then, `done(false)` when within a few
// seconds nothing did. `done` is called later, never from within the call.
void AskDesktopToLock(std::function<void(bool locked)> done);

} // namespace platform
