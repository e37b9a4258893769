#pragma once
// The start-up trace's lines about registered runtimes.
#include <cstddef>
#include <string_view>
#include <vector>

#include "runtime/candidate_order.h"
#include "support/registry_key.h"

namespace launcher {

// "own view" or "64-bit view".
std::wstring_view ViewName(support::RegistryView view);

// "order: <n>. <version> <home> [server VM] [preferred]" per candidate, then "chosen: <home>".
void TraceOrder(const std::vector<RuntimeCandidate>& candidates, std::size_t chosen);

}  // namespace launcher
