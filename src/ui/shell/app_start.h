#pragma once
// The process entry: one instance, the five windows, the message loop.

#include <functional>

#include "core/shell/command_line.h"

class QWindow;
class TForm1;
class TForm3;
class Tlock_form;
class Tpwd_form;
class Tsetting_form;

// The five windows, created once at start in this order; the main window is
// shown between its own creation and the others'.
extern TForm1* Form1;
extern TForm3* Form3;
extern Tlock_form* lock_form;
extern Tpwd_form* pwd_form;
extern Tsetting_form* setting_form;

// Runs `then` once the other four windows exist: at once, except in the
// moment between the main window's first frame and their making.
void AfterOtherWindows(std::function<void()> then);

// Does what a start with `action` asks of the running program.
void RunStartAction(StartAction action);
// Whether the running program takes a second start's request, answered at
// once: it does, unless the lock is engaged and the request is not a lock.
// What it asks for runs soon after.
bool TakeStartRequest(StartAction action);
// Runs `then` once `window` has put its first frame on screen.
void AfterFirstFrame(QWindow* window, std::function<void()> then);
// The web engine starts once the window's first frame is on screen and the
// other windows exist, so that starting it never holds up the window.
void StartEngineAfterFirstFrame(QWindow* window);

// Runs the program. The exit code is 0, except for a start with a command
// line that is not valid (2) and a second start whose request the running
// program did not acknowledge taking (1).
int RunApplication(int argc, char** argv);
