#pragma once
// The launcher's own notation for memory sizes in VM parameters: "-Xmx50P" asks for half of
// the physical memory, "-Xmx50:256:1024T" for half of the free address space, but at least
// 256 and at most 1024 megabytes. No system calls, so that the rules also run on the host.
#include <cstdint>
#include <string>
#include <string_view>

namespace launcher {

// What the machine reports, in bytes.
struct MemoryFigures {
    std::uint64_t totalPhysical = 0;     // P and p take their share of this
    std::uint64_t availableVirtual = 0;  // T and t: the address space still free in the process
};

// True for a "-Xms", "-Xmx" or "-Xss" parameter (case-sensitive) ending in P, p, T or t.
bool IsMemoryShareOption(std::wstring_view token);

// The prefix (the text before the first digit or ":"), the size in kilobytes and "K".
// Numbers too large for the arithmetic are held at the largest unsigned 32-bit value.
std::wstring ConvertMemoryOption(std::wstring_view token, const MemoryFigures& memory);

// The bytes of a stack size written after "-Xss": the last character is the unit (g, k, m
// in either case, anything else 1), the digits before it the number. 0 when the size is
// invalid (no leading digit, a ":" among the characters) or does not fit 32 bits.
std::uint32_t ParseStackSize(std::wstring_view size);

}  // namespace launcher
