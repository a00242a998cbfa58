#pragma once
// GBK byte-text helpers. A byte with its high bit set starts a double-byte
// character; these never split one unless a caller asks for a plain byte cut.

#include <string>
#include <string_view>

// Copies at most `bound` bytes of the NUL-terminated source into destination
// (which holds bound + 1 bytes) and terminates it. -1, touching nothing, when
// a pointer is missing or the bound is not positive; else 0.
int CopyGbkBounded(char* destination, const char* source, int bound);

// The same rule on std::string: the longest prefix of at most `bound` bytes
// that ends on a character boundary.
std::string CutGbk(const std::string& text, int bound);

// Leading and trailing bytes up to 0x20 removed.
std::string TrimBytes(const std::string& text);
// The same without a copy, for text that must stay in memory of its own.
std::string_view TrimmedBytes(std::string_view text);

// Copies text into a fixed field of `width` bytes as a plain byte cut to
// width - 1 bytes, NUL-terminated.
void CopyField(char* field, std::size_t width, const std::string& text);
// The text of such a field: up to its NUL and never its last byte, which a
// damaged file may leave unterminated, so that what is read is what a save
// writes back.
std::string FieldText(const char* field, std::size_t width);
