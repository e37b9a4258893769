// "Virtual Machine Parameters": no option is empty or keeps a quote, and quoting every option
// again gives back the same options.
#include "options/vm_parameters.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = fuzz::WideText(data, size);
    const std::vector<std::wstring> options = launcher::SplitVmParameters(text);
    std::size_t characters = 0;
    std::wstring quoted;
    for (const std::wstring& option : options) {
        FUZZ_CHECK(!option.empty());
        FUZZ_CHECK(option.find(L'"') == std::wstring::npos);
        characters += option.size();
        quoted += L"\"" + option + L"\" ";
    }
    FUZZ_CHECK(characters <= text.size());
    FUZZ_CHECK(launcher::SplitVmParameters(quoted) == options);
    return 0;
}
