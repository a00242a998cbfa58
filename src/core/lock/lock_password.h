#pragma once
// The lock password: how it is stored, compared and changed. Texts are GBK bytes.

#include <string>

#include "core/store/store_layout.h"

// The most bytes a password may have: the header field less its NUL.
constexpr int kLockPasswordBytes = sizeof(StoreHeader::lockPassword) - 1;

// Stores the trimmed text, cut to the field; the rest of the field is NUL.
void SetLockPassword(StoreHeader& header, const std::string& text);
std::string GetLockPassword(const StoreHeader& header);
// The typed text, trimmed, against the stored password, byte for byte.
bool LockPasswordMatches(const StoreHeader& header, const std::string& typed);
// True when a typed text, once trimmed, fits the field whole.
bool FitsLockPassword(const std::string& typed);

// The outcome of the password dialog's OK, in the order the checks run.
enum class PasswordEntry { Accepted, NoCurrent, NoNew, NoRepeat, WrongCurrent, Mismatch };
struct PasswordForm {
    bool changeMode = false;
    std::string current; // ignored in set mode, where it is hidden and empty
    std::string first;
    std::string second;
};
// Only the first failing check is reported.
PasswordEntry CheckPasswordEntry(const PasswordForm& form, const StoreHeader& header);
