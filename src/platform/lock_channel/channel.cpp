#include <cerrno>
#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/lock_channel/channel.h"

namespace {

// False at the end of the stream and on a read error.
bool ReadExactly(int channel, char* into, std::size_t size) {
    while (size > 0) {
        const ssize_t got = ::read(channel, into, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        into += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool SendAll(int channel, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(channel, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

// The next line, '\n' included, into `line`; empty at the end of the stream,
// on a read error and for a line too long to be a message.
std::string_view ReadLine(int channel, char (&line)[32]) {
    for (std::size_t length = 0; length < sizeof line; ++length) {
        if (!ReadExactly(channel, line + length, 1))
            return {};
        if (line[length] == '\n')
            return std::string_view(line, length + 1);
    }
    return {};
}

// The number that ends `text` after `word` and before its '\n'.
template <typename Number>
bool NumberAfter(std::string_view text, std::string_view word, Number& number) {
    if (!text.starts_with(word))
        return false;
    const char* last = text.data() + text.size() - 1;
    const auto [end, error] = std::from_chars(text.data() + word.size(), last, number);
    return error == std::errc() && end == last;
}

} // namespace

bool SendPasswordMessage(int channel, std::string_view password) {
    const std::string header =
        std::string(kPasswordMessageWord) + std::to_string(password.size()) + "\n";
    return SendAll(channel, header) && SendAll(channel, password);
}

bool SendUnlockMessage(int channel) {
    return SendAll(channel, kUnlockMessage);
}

bool SendLockedMessage(int channel) {
    return SendAll(channel, kLockedMessage);
}

bool SendEndedMessage(int channel) {
    return SendAll(channel, kEndedMessage);
}

GuardMessage ReadGuardMessage(int channel, LockedText& password) {
    char line[32];
    const std::string_view text = ReadLine(channel, line);
    if (text == kUnlockMessage)
        return GuardMessage::Unlock;
    if (text == kLockedMessage)
        return GuardMessage::Locked;
    if (text == kEndedMessage)
        return GuardMessage::Ended;
    std::size_t size = 0;
    if (!NumberAfter(text, kPasswordMessageWord, size) || size == 0 || size > LockedText::kCapacity)
        return GuardMessage::Closed;
    // A message cut short keeps the password that came before it.
    LockedText incoming;
    if (!ReadExactly(channel, incoming.Data(), size))
        return GuardMessage::Closed;
    incoming.Resize(size);
    password.Clear();
    password.Append(incoming.View());
    return GuardMessage::Password;
}

unsigned long ReadCoverMessage(int channel) {
    char line[32];
    unsigned long cover = 0;
    return NumberAfter(ReadLine(channel, line), kCoverMessageWord, cover) ? cover : 0;
}
