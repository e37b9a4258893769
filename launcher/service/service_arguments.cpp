#include "service/service_arguments.h"

namespace launcher {

void AppendServiceArguments(std::vector<std::wstring>& arguments,
                            std::span<const wchar_t* const> received, bool omitServiceName) {
    if (received.empty()) {
        return;
    }
    const std::size_t first = omitServiceName ? 1 : 0;
    for (std::size_t i = first; i < received.size(); ++i) {
        arguments.emplace_back(received[i] != nullptr ? received[i] : L"");
    }
}

}  // namespace launcher
