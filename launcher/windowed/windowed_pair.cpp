#include "windowed/windowed_pair.h"

#include "messages/catalogue.h"
#include "settings/settings_paths.h"
#include "windowed/pair_name.h"
#include "windowed/program_subsystem.h"

namespace launcher {

std::wstring PairProductForThisProgram(const std::wstring& pairProduct) {
    if (pairProduct.empty() || !IsWindowedProgram()) {
        return pairProduct;
    }
    const std::optional<std::wstring> windowed =
        WindowedPairPath(pairProduct, LoadMessage(text::kConsoleProgramName),
                         LoadMessage(text::kWindowedProgramName));
    return windowed && FileFound(*windowed) ? *windowed : pairProduct;
}

}  // namespace launcher
