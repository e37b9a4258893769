#pragma once
// The arguments a service start adds for the Java main method. No system call: the host
// preset tests it under sanitizers.
#include <span>
#include <string>
#include <vector>

namespace launcher {

// Appends what the service control manager handed to the service entry: its first entry (the
// service name) unless omitServiceName, then the start parameters in order. A null entry
// counts as an empty text; an empty list adds nothing.
void AppendServiceArguments(std::vector<std::wstring>& arguments,
                            std::span<const wchar_t* const> received, bool omitServiceName);

}  // namespace launcher
