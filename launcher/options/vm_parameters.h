#pragma once
// "Virtual Machine Parameters": blank-separated JVM options in which double quotes group.
#include <string>
#include <string_view>
#include <vector>

namespace launcher {

// The options of the value, without their quotes. A blank outside quotes ends an option;
// every double quote switches between inside and outside and is dropped, so "a""b" reads
// as ab, and an unclosed quote runs to the end. Options that are empty once their quotes
// are gone carry nothing for the JVM and are left out.
std::vector<std::wstring> SplitVmParameters(std::wstring_view value);

}  // namespace launcher
