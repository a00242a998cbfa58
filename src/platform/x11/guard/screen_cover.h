#pragma once
// The guard's own lock: one override-redirect window over every monitor,
// the keyboard and the pointer held, a prompt for the password.

#include "platform/x11/guard/locked_text.h"

// Returns once `password` is typed; false at once when there is no display.
bool HoldScreenUntil(const LockedText& password);
