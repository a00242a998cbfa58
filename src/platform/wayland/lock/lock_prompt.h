#pragma once
// What the lock shows and what typing does to it, apart from any drawing:
// the password entry and, after the change link, the three entries of the
// change of password. Every typed text stays in locked memory.

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/lock_channel/locked_text.h"

class LockPrompt {
public:
    enum class Mode { Unlock, Change };
    enum class Outcome { Nothing, Unlocked, PasswordSet };
    // The change entries, in their tab order.
    enum Field { Current = 0, New = 1, Repeat = 2 };

    // Keeps a new password where the program will find it; false when it
    // cannot be kept now.
    using Saver = std::function<bool(std::string_view utf8)>;

    // `password`, UTF-8, is the one that unlocks; the prompt keeps it current.
    // A new password takes its place only once `save` kept it.
    LockPrompt(LockedText& password, Saver save);

    void Type(std::string_view utf8);
    void EraseCharacter();
    // Escape or Ctrl+U: the entry being typed starts again.
    void ClearEntry();
    // Enter: tries to unlock, or to set the new password.
    Outcome Enter();
    void NextField(bool backwards);
    void FocusField(Field field);
    void OpenChange();
    void CancelChange();

    Mode CurrentMode() const { return mode_; }
    Field FocusedField() const { return field_; }
    // How many "#" an entry shows: one per typed character.
    std::size_t MaskLength(Field field) const;
    std::size_t UnlockMaskLength() const;
    bool WrongPassword() const { return wrong_; }
    // The comparison is case-sensitive: a locked Caps Lock is worth a hint.
    void SetCapsLock(bool on) { capsLock_ = on; }
    bool CapsLock() const { return capsLock_; }
    // A refused change, empty while there is none.
    const std::string& Notice() const { return notice_; }

private:
    LockedText& Entry(Field field) { return fields_[field]; }
    LockedText& password_;
    Saver save_;
    LockedText typed_;
    std::array<LockedText, 3> fields_;
    Mode mode_ = Mode::Unlock;
    Field field_ = Current;
    bool wrong_ = false;
    bool capsLock_ = false;
    std::string notice_;
};
