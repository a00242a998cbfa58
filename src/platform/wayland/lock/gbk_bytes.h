#pragma once
// The data file holds the password in GBK: its rules count and compare GBK bytes.

#include <string_view>

#include "platform/lock_channel/locked_text.h"

// The GBK bytes of UTF-8 text into `gbk` (emptied first), in locked memory
// like the text itself; false when a character has none.
bool GbkBytes(std::string_view utf8, LockedText& gbk);
