#pragma once
// Text that must reach neither swap nor a core file nor freed memory: a
// fixed buffer locked in memory and wiped whenever it is emptied and when it
// goes away.

#include <cstddef>
#include <string_view>

class LockedText {
public:
    static constexpr std::size_t kCapacity = 256;
    LockedText();
    ~LockedText();
    LockedText(const LockedText&) = delete;
    LockedText& operator=(const LockedText&) = delete;

    // False, changing nothing, when the bytes would not fit.
    bool Append(std::string_view bytes);
    // Takes back the last UTF-8 character.
    void EraseLastCharacter();
    void Clear();
    std::string_view View() const { return {bytes_, size_}; }
    std::size_t Size() const { return size_; }
    // The bytes the caller may write into, up to kCapacity; Resize says how many it wrote.
    char* Data() { return bytes_; }
    void Resize(std::size_t size);

private:
    char bytes_[kCapacity];
    std::size_t size_ = 0;
};

// The typed text, without bytes up to 0x20 at either end, against the
// password, byte for byte: the rule the program itself applies.
bool PasswordMatches(std::string_view password, std::string_view typed);
