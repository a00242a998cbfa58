#include "platform/wayland/lock/lock_prompt.h"

#include <cstring>
#include <optional>

#include "core/lock/lock_password.h"
#include "core/lock/lock_texts.h"
#include "core/text/gbk_text.h"
#include "platform/gbk.h"

namespace {

std::size_t Characters(std::string_view utf8) {
    std::size_t count = 0;
    for (const char byte : utf8)
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return count;
}

// 0xFF starts no GBK character, so a text without a GBK form matches no
// password the data file can hold. The copy the rules take is made once, at
// its size, so that wiping it leaves none behind.
constexpr char kNoGbk[] = "\xff";

std::string GbkOrUnmatchable(std::string_view utf8) {
    std::optional<std::string> gbk = platform::GbkFromUtf8(utf8);
    return gbk ? std::move(*gbk) : std::string(kNoGbk);
}

void Wipe(std::string& text) {
    explicit_bzero(text.data(), text.size());
}

} // namespace

LockPrompt::LockPrompt(LockedText& password, Saver save)
    : password_(password), save_(std::move(save)) {}

void LockPrompt::Type(std::string_view utf8) {
    if (mode_ == Mode::Unlock) {
        typed_.Append(utf8);
        return;
    }
    LockedText& entry = Entry(field_);
    if (field_ != Current) {
        // A new password must fit the data file's field whole, as typed.
        LockedText candidate;
        if (!candidate.Append(entry.View()) || !candidate.Append(utf8))
            return;
        std::string gbk = GbkOrUnmatchable(candidate.View());
        const bool fits = gbk != kNoGbk && FitsLockPassword(gbk);
        Wipe(gbk);
        if (!fits)
            return;
    }
    entry.Append(utf8);
}

void LockPrompt::EraseCharacter() {
    (mode_ == Mode::Unlock ? typed_ : Entry(field_)).EraseLastCharacter();
}

void LockPrompt::ClearEntry() {
    (mode_ == Mode::Unlock ? typed_ : Entry(field_)).Clear();
}

LockPrompt::Outcome LockPrompt::Enter() {
    if (mode_ == Mode::Unlock) {
        const bool right = PasswordMatches(password_.View(), typed_.View());
        typed_.Clear();
        wrong_ = !right;
        return right ? Outcome::Unlocked : Outcome::Nothing;
    }
    StoreHeader header{};
    std::string password = GbkOrUnmatchable(password_.View());
    SetLockPassword(header, password);
    Wipe(password);
    PasswordForm form{true, GbkOrUnmatchable(fields_[Current].View()),
                      GbkOrUnmatchable(fields_[New].View()),
                      GbkOrUnmatchable(fields_[Repeat].View())};
    const PasswordEntry outcome = CheckPasswordEntry(form, header);
    for (std::string* copy : {&form.current, &form.first, &form.second})
        Wipe(*copy);
    const std::string_view chosen = TrimmedBytes(fields_[New].View());
    // A password the data file would not get back after the unlock would
    // bring the old one back unseen: the change is refused instead.
    const bool saved = outcome == PasswordEntry::Accepted && save_(chosen);
    if (saved) {
        password_.Clear();
        password_.Append(chosen);
    }
    for (LockedText& entry : fields_)
        entry.Clear();
    explicit_bzero(&header, sizeof header);
    field_ = Current;
    notice_ = outcome == PasswordEntry::Accepted && !saved ? kLockChangeNotSavedText
                                                           : PasswordEntryNotice(outcome);
    if (!saved)
        return Outcome::Nothing;
    // The lock simply stays; the new password opens it from now on.
    mode_ = Mode::Unlock;
    return Outcome::PasswordSet;
}

void LockPrompt::NextField(bool backwards) {
    if (mode_ == Mode::Change)
        field_ = static_cast<Field>((field_ + (backwards ? 2 : 1)) % 3);
}

void LockPrompt::FocusField(Field field) {
    field_ = field;
}

// The entry has the keyboard again when the change ends, which hides its
// red notice, as on the lock window.
void LockPrompt::OpenChange() {
    wrong_ = false;
    mode_ = Mode::Change;
    field_ = Current;
    notice_.clear();
}

// Cancelling empties the new entries but keeps the current one.
void LockPrompt::CancelChange() {
    fields_[New].Clear();
    fields_[Repeat].Clear();
    notice_.clear();
    mode_ = Mode::Unlock;
}

std::size_t LockPrompt::MaskLength(Field field) const {
    return Characters(fields_[field].View());
}

std::size_t LockPrompt::UnlockMaskLength() const {
    return Characters(typed_.View());
}
