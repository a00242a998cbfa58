#pragma once
// The operating-system services the program needs, one free function per
// service. Each backend folder (x11/, later win/) defines all of them; CMake
// links exactly one backend. Window code never checks the platform itself.

#include <functional>
#include <string>

class QWidget;

namespace platform {

// Process-wide settings that must be in place before the QApplication exists.
void PrepareProcess();

enum class InstanceLock { Acquired, AlreadyRunning, Failed };
// Takes the per-user instance lock "Tavinor" for the life of the process.
InstanceLock AcquireInstanceLock();
// Calls `handler` on the window thread each time a second start asks the
// running instance to come back from the tray.
void OnRestoreRequest(std::function<void()> handler);
// Run by a second start: asks the running instance to come back; true when it was told.
bool AskRunningInstanceToRestore();

// Folder of the data file, created when missing (UTF-8 path).
std::string DataDirectory();
// The user's documents folder, created when missing (UTF-8 path).
std::string DocumentsDirectory();

// Hands a web address, or the program's own mine.htm, to the user's default
// web browser; anything else is dropped silently (shell/open_address.h).
void OpenInSystemBrowser(const std::string& address);

// Global hot keys on the main window; a combination held by another program
// is silently not registered. Modifiers use the Windows values (Alt 1, Ctrl 2),
// keys the Windows virtual-key codes of letters ('B', 'K').
constexpr unsigned kModAlt = 1;
constexpr unsigned kModControl = 2;
bool RegisterHotKey(QWidget* window, int id, unsigned modifiers, unsigned virtualKey);
void UnregisterHotKey(QWidget* window, int id);
// Called on the window thread with the id of a pressed hot key.
void SetHotKeyHandler(std::function<void(int id)> handler);

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

// The local date and time as text, in the desktop's short date and long time form.
std::string LocalDateTimeText();

} // namespace platform
