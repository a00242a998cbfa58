#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/mman.h>

#include "core/text/gbk_text.h"
#include "platform/lock_channel/locked_text.h"

// Without the right to lock memory the text still works; it may then be
// swapped out like any other page, which is said once.
LockedText::LockedText() {
    static bool told = false;
    if (mlock(bytes_, sizeof bytes_) != 0 && !told) {
        told = true;
        std::fprintf(stderr, "Passwords could not be kept from swap (mlock: %s).\n",
                     std::strerror(errno));
    }
}

// The pages stay locked: another text may share them, and unlocking a page
// unlocks it for every text on it.
LockedText::~LockedText() {
    explicit_bzero(bytes_, sizeof bytes_);
}

bool LockedText::Append(std::string_view bytes) {
    if (bytes.size() > kCapacity - size_)
        return false;
    std::memcpy(bytes_ + size_, bytes.data(), bytes.size());
    size_ += bytes.size();
    return true;
}

void LockedText::EraseLastCharacter() {
    // Continuation bytes of UTF-8 are 10xxxxxx.
    while (size_ > 0 && (static_cast<unsigned char>(bytes_[--size_]) & 0xC0) == 0x80)
        bytes_[size_] = 0;
    bytes_[size_] = 0;
}

void LockedText::Clear() {
    explicit_bzero(bytes_, sizeof bytes_);
    size_ = 0;
}

void LockedText::Resize(std::size_t size) {
    size_ = size < kCapacity ? size : kCapacity;
}

bool PasswordMatches(std::string_view password, std::string_view typed) {
    return !password.empty() && TrimmedBytes(typed) == password;
}
