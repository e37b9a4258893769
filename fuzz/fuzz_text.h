#pragma once
// What the harnesses make of the fuzzer's bytes. Windows text is UTF-16, so every character
// is one 16-bit unit: a byte stands for the character of that value, and the byte 0xFF takes
// the next two bytes (low byte first) as one unit of any value. Seeds stay readable, and
// every unit, lone surrogates included, can still be reached.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

std::wstring WideText(const std::uint8_t* data, std::size_t size);

// The text cut at its first count - 1 NUL characters: always count pieces, missing ones
// empty, the last one holding the rest.
std::vector<std::wstring> Pieces(std::wstring_view text, std::size_t count);

std::wstring Join(const std::vector<std::wstring>& parts, std::wstring_view separator);

[[noreturn]] void Fail(const char* property, const char* file, int line);

}  // namespace fuzz

// A property every input must keep; a violation is a finding like a crash.
#define FUZZ_CHECK(condition)                             \
    do {                                                  \
        if (!(condition)) {                               \
            ::fuzz::Fail(#condition, __FILE__, __LINE__); \
        }                                                 \
    } while (false)
