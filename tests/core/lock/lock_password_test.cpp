#include <cstring>
#include <gtest/gtest.h>

#include "core/lock/lock_password.h"
#include "core/lock/lock_request.h"

namespace {

StoreHeader WithPassword(const char* text) {
    StoreHeader header{};
    std::memset(&header, 0x55, sizeof header);
    SetLockPassword(header, text);
    return header;
}

PasswordEntry Change(const StoreHeader& header, const char* current, const char* first,
                     const char* second) {
    return CheckPasswordEntry({true, current, first, second}, header);
}

} // namespace

TEST(LockPassword, StoredTrimmedAndMatchedExactly) {
    const StoreHeader header = WithPassword("  Secret \t");
    EXPECT_EQ(GetLockPassword(header), "Secret");
    // The rest of the field is cleared, whatever it held before.
    for (std::size_t i = 6; i < sizeof header.lockPassword; ++i)
        ASSERT_EQ(header.lockPassword[i], '\0') << i;
    EXPECT_TRUE(LockPasswordMatches(header, " Secret  "));
    EXPECT_FALSE(LockPasswordMatches(header, "secret"));
    EXPECT_FALSE(LockPasswordMatches(header, "Secre t"));
    EXPECT_FALSE(LockPasswordMatches(WithPassword(""), "x"));
}

TEST(LockPassword, LongTextIsCutToTheFieldAndTheLimitCountsBytes) {
    const StoreHeader header = WithPassword(std::string(40, 'a').c_str());
    EXPECT_EQ(GetLockPassword(header), std::string(31, 'a'));
    EXPECT_EQ(header.lockPassword[31], '\0');
    // Fifteen double-byte characters and one letter fill the field; a
    // sixteenth character does not fit.
    std::string gbk;
    for (int i = 0; i < 15; ++i)
        gbk += "\xC3\xDC";
    EXPECT_TRUE(FitsLockPassword("  " + gbk + "a  "));
    EXPECT_FALSE(FitsLockPassword(gbk + "\xC3\xDC"));
}

TEST(PasswordDialog, ReportsOnlyTheFirstFailingCheck) {
    const StoreHeader header = WithPassword("old");
    EXPECT_EQ(Change(header, "  ", "new", "new"), PasswordEntry::NoCurrent);
    EXPECT_EQ(Change(header, "", "", ""), PasswordEntry::NoCurrent);
    EXPECT_EQ(Change(header, "wrong", " ", "new"), PasswordEntry::NoNew);
    EXPECT_EQ(Change(header, "wrong", "new", ""), PasswordEntry::NoRepeat);
    EXPECT_EQ(Change(header, "wrong", "new", "other"), PasswordEntry::WrongCurrent);
    EXPECT_EQ(Change(header, "OLD", "new", "new"), PasswordEntry::WrongCurrent);
    EXPECT_EQ(Change(header, " old ", "new", "other"), PasswordEntry::Mismatch);
    EXPECT_EQ(Change(header, "old", " new", "new "), PasswordEntry::Accepted);
    EXPECT_EQ(Change(header, "old", "old", "old"), PasswordEntry::Accepted);
}

TEST(PasswordDialog, SetModeIgnoresTheHiddenCurrentPassword) {
    const StoreHeader empty = WithPassword("");
    EXPECT_EQ(CheckPasswordEntry({false, "", "", "x"}, empty), PasswordEntry::NoNew);
    EXPECT_EQ(CheckPasswordEntry({false, "", "a", "b"}, empty), PasswordEntry::Mismatch);
    EXPECT_EQ(CheckPasswordEntry({false, "left over", "a", "a"}, empty), PasswordEntry::Accepted);
}

TEST(LockRequest, ResetsAStalePolicyThenLocksOrAsks) {
    using Then = LockRequestPlan::Then;
    LockRequestPlan plan = PlanLockRequest({false, false, 1, true});
    EXPECT_TRUE(plan.resetStalePolicy);
    EXPECT_EQ(plan.then, Then::ShowLock);
    plan = PlanLockRequest({false, false, 0, false});
    EXPECT_FALSE(plan.resetStalePolicy);
    EXPECT_EQ(plan.then, Then::AskForPassword);
    // The desktop's own lock opens with the login password: none is asked for.
    EXPECT_EQ(PlanLockRequest({false, false, 0, false, true}).then, Then::ShowLock);
    EXPECT_FALSE(PlanLockRequest({false, false, 2, true}).resetStalePolicy);
    // While the lock is up or its first password is asked for, nothing at all.
    for (const LockRequestState& busy :
         {LockRequestState{true, false, 1, true}, LockRequestState{false, true, 1, false}}) {
        plan = PlanLockRequest(busy);
        EXPECT_FALSE(plan.resetStalePolicy);
        EXPECT_EQ(plan.then, Then::Nothing);
    }
}
