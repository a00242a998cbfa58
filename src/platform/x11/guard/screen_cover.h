#pragma once
// The guard's own lock: one override-redirect window over every monitor,
// made as soon as the guard starts. While the program lives, the program
// keeps its lock's windows inside it: should the program die, the keyboard
// focus falls back from them to the cover, so every key lands there even
// before the guard has woken up. The cover then shows itself, takes the
// keyboard and the pointer and asks for the password.

#include <X11/Xlib.h>
#include <set>

#include "platform/lock_channel/locked_text.h"

class ScreenCover {
public:
    // `password` unlocks, also when it changes later.
    explicit ScreenCover(const LockedText& password) : password_(password) {}
    ScreenCover(const ScreenCover&) = delete;
    ScreenCover& operator=(const ScreenCover&) = delete;
    // Opens the display and makes the cover, unmapped; false when there is no display.
    bool Open();
    ~ScreenCover();

    // The window the program keeps its lock's windows in.
    Window Id() const { return window_; }
    // The X connection, to wait on beside the program's socket.
    int Connection() const { return ConnectionNumber(display_); }
    // Handles what the X server reported while the program lives.
    void StandBy();
    // The program ended its lock itself and took its windows back: none of
    // them is handed to the root when the cover goes.
    void LetGo();
    // Shows the cover and holds the input; returns once the password is typed.
    void Hold();

private:
    struct Area {
        int x, y, width, height;
    };
    Area RootArea() const;
    void Handle(XEvent& event);
    void Draw();
    void DrawCentred(const Area& monitor, int y, const char* text, unsigned long colour);
    void TryHold();
    void RaiseIfCovered();
    void Key(XKeyEvent& event);

    Display* display_ = nullptr;
    Window root_ = 0;
    Window window_ = 0;
    GC gc_ = nullptr;
    XFontStruct* font_ = nullptr;
    XIM inputMethod_ = nullptr;
    XIC inputContext_ = nullptr;
    unsigned long white_ = 0, red_ = 0;
    // The program's windows inside the cover.
    std::set<Window> kept_;
    const LockedText& password_;
    LockedText typed_;
    // The password was typed, even before the cover showed itself.
    bool unlocked_ = false;
    bool shown_ = false;
    bool wrong_ = false;
    bool held_ = false;
    int quickRetriesLeft_ = 0;
};
