#pragma once
// A check on a program's output or record: the given lines appear in this order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testing_support {

// Each line, followed by "\n", appears after the one before it; other text may lie between.
::testing::AssertionResult InOrder(const std::string& text, const std::vector<std::string>& lines);

}  // namespace testing_support
