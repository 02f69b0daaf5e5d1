#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvale {

// Tune text is held as UTF-8 throughout; these helpers count and cut it in characters
// (code points), never bytes, so no character is ever split. They expect valid UTF-8,
// which the tune file reader guarantees.

bool isValidUtf8(std::string_view bytes);

// Every byte becomes the character of the same code (the Latin-1 reading of a file),
// in place: the text grows by one byte per byte from 0x80 up, into its spare capacity
// when it has enough, so a large file is not held twice.
void widenLatin1ToUtf8(std::string& bytes);

// The character starting at byte `pos`; `pos` moves past it.
char32_t nextCodePoint(std::string_view text, std::size_t& pos);

// Up to `maxChars` characters of `text`, starting after its first `skipChars` characters.
std::string_view utf8Slice(std::string_view text, std::size_t skipChars, std::size_t maxChars);

// The character at 1-based position `n`, or 0 when the text is shorter.
char32_t codePointAt(std::string_view text, std::size_t n);

}  // namespace corvale
