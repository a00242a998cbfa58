#include <cstring>

#include "core/lock/lock_password.h"
#include "core/text/gbk_text.h"

void SetLockPassword(StoreHeader& header, const std::string& text) {
    std::memset(header.lockPassword, 0, sizeof header.lockPassword);
    CopyField(header.lockPassword, sizeof header.lockPassword, TrimBytes(text));
}

std::string GetLockPassword(const StoreHeader& header) {
    return FieldText(header.lockPassword, sizeof header.lockPassword);
}

bool LockPasswordMatches(const StoreHeader& header, const std::string& typed) {
    return TrimBytes(typed) == GetLockPassword(header);
}

bool FitsLockPassword(const std::string& typed) {
    return TrimBytes(typed).size() <= static_cast<std::size_t>(kLockPasswordBytes);
}

PasswordEntry CheckPasswordEntry(const PasswordForm& form, const StoreHeader& header) {
    const std::string current = form.changeMode ? TrimBytes(form.current) : std::string();
    const std::string first = TrimBytes(form.first);
    const std::string second = TrimBytes(form.second);
    if (form.changeMode && current.empty())
        return PasswordEntry::NoCurrent;
    if (first.empty())
        return PasswordEntry::NoNew;
    if (second.empty())
        return PasswordEntry::NoRepeat;
    if (current != GetLockPassword(header))
        return PasswordEntry::WrongCurrent;
    if (first != second)
        return PasswordEntry::Mismatch;
    return PasswordEntry::Accepted;
}
