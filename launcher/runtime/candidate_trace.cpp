#include "runtime/candidate_trace.h"

#include "trace/settings_trace.h"
#include "trace/startup_trace.h"

namespace launcher {

std::wstring_view ViewName(support::RegistryView view) {
    return view == support::RegistryView::Bits64 ? L"64-bit view" : L"own view";
}

void TraceOrder(const std::vector<RuntimeCandidate>& candidates, std::size_t chosen) {
    if (!trace::On()) {
        return;
    }
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const RuntimeCandidate& c = candidates[i];
        trace::Write(L"order: ", i + 1, L". ", trace::FullVersion(c.version), L" ", c.home,
                     std::wstring_view(c.isServer ? L" [server VM]" : L""),
                     std::wstring_view(c.isPreferred ? L" [preferred]" : L""));
    }
    trace::Write(L"chosen: ", candidates[chosen].home);
}

}  // namespace launcher
