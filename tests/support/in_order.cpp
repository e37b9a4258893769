#include "in_order.h"

namespace testing_support {

::testing::AssertionResult InOrder(const std::string& text, const std::vector<std::string>& lines) {
    std::size_t at = 0;
    for (const auto& line : lines) {
        const auto found = text.find(line + "\n", at);
        if (found == std::string::npos) {
            return ::testing::AssertionFailure() << "missing in order: " << line << "\n" << text;
        }
        at = found + line.size();
    }
    return ::testing::AssertionSuccess();
}

}  // namespace testing_support
