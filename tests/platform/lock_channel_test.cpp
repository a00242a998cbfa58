#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/lock_channel/channel.h"

// The Wayland lock client's statuses reach the program as sent: "locked"
// (from now on a death is replaced), "ended" (the compositor ended the lock:
// the program's lock is over), and a hang-up or garbage counts as a death.
TEST(LockChannel, ClientStatusesArriveInOrderAndAnEndIsTold) {
    int ends[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
    ASSERT_TRUE(SendLockedMessage(ends[0]));
    ASSERT_TRUE(SendPasswordMessage(ends[0], "新的"));
    ASSERT_TRUE(SendEndedMessage(ends[0]));
    ASSERT_EQ(::write(ends[0], "lockedx\n", 8), 8);
    ::close(ends[0]);
    LockedText password;
    EXPECT_EQ(ReadGuardMessage(ends[1], password), GuardMessage::Locked);
    EXPECT_EQ(ReadGuardMessage(ends[1], password), GuardMessage::Password);
    EXPECT_EQ(password.View(), "新的");
    EXPECT_EQ(ReadGuardMessage(ends[1], password), GuardMessage::Ended);
    // Anything else ends the talk: the program cannot trust the stream.
    EXPECT_EQ(ReadGuardMessage(ends[1], password), GuardMessage::Closed);
    EXPECT_EQ(ReadGuardMessage(ends[1], password), GuardMessage::Closed);
    ::close(ends[1]);
}
