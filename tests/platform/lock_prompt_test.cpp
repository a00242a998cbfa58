#include <gtest/gtest.h>
#include <string>

#include "core/lock/lock_texts.h"
#include "platform/wayland/lock/lock_prompt.h"

namespace {

std::string Repeat(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

} // namespace

// The lock's own change of password keeps the dialog's rules, with the
// data file's 31 GBK bytes as the limit: 15 Chinese characters fit, where
// UTF-8 would take 45 bytes.
TEST(LockPrompt, ChangeOfPasswordCountsTheDataFilesBytes) {
    LockedText password;
    password.Append("旧密码");
    std::string saved;
    LockPrompt prompt(password, [&saved](std::string_view chosen) {
        saved = chosen;
        return true;
    });
    prompt.OpenChange();
    prompt.Type("旧");
    prompt.NextField(false);
    prompt.Type("new");
    prompt.NextField(false);
    prompt.Type("new");
    EXPECT_EQ(prompt.Enter(), LockPrompt::Outcome::Nothing);
    EXPECT_EQ(prompt.Notice(), "原密码错误！");
    EXPECT_EQ(prompt.MaskLength(LockPrompt::Current), 0u);

    const std::string chosen = Repeat("汉", 15);
    prompt.Type("旧密码");
    prompt.NextField(false);
    for (int typed = 0; typed < 16; ++typed)
        prompt.Type("汉");
    prompt.Type("😀"); // has no GBK form
    EXPECT_EQ(prompt.MaskLength(LockPrompt::New), 15u);
    prompt.NextField(false);
    prompt.Type(chosen);
    EXPECT_EQ(prompt.Enter(), LockPrompt::Outcome::PasswordSet);
    EXPECT_EQ(password.View(), chosen);
    EXPECT_EQ(saved, chosen);
    EXPECT_EQ(prompt.CurrentMode(), LockPrompt::Mode::Unlock);

    prompt.Type("旧密码");
    EXPECT_EQ(prompt.Enter(), LockPrompt::Outcome::Nothing);
    EXPECT_TRUE(prompt.WrongPassword());
    prompt.Type(" " + chosen + " ");
    EXPECT_EQ(prompt.Enter(), LockPrompt::Outcome::Unlocked);
}

// Once the program is gone nothing would write a new password to the data
// file: the change is refused in red and the old password keeps unlocking.
TEST(LockPrompt, ChangeThatCannotBeSavedIsRefused) {
    LockedText password;
    password.Append("old");
    LockPrompt prompt(password, [](std::string_view) { return false; });
    prompt.OpenChange();
    for (const char* text : {"old", "new", "new"}) {
        prompt.Type(text);
        prompt.NextField(false);
    }
    EXPECT_EQ(prompt.Enter(), LockPrompt::Outcome::Nothing);
    EXPECT_EQ(prompt.Notice(), kLockChangeNotSavedText);
    EXPECT_EQ(prompt.CurrentMode(), LockPrompt::Mode::Change);
    EXPECT_EQ(password.View(), "old");
    prompt.CancelChange();
    prompt.Type("old");
    EXPECT_EQ(prompt.Enter(), LockPrompt::Outcome::Unlocked);
}
