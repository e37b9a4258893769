// The launcher's token rule: a quoted token loses its quotes, a token that keeps a quote holds
// no blank, and writing the tokens again (quoting each one that has no quote) gives them back.
#include "command_line.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = fuzz::WideText(data, size);
    const std::vector<std::wstring> tokens = launcher::SplitCommandTokens(text);
    std::size_t characters = 0;
    std::wstring quoted;
    for (const std::wstring& token : tokens) {
        characters += token.size();
        if (token.find(L'"') == std::wstring::npos) {
            quoted += L" \"" + token + L"\"";
        } else {
            // Only a token that did not begin with a quote keeps its quotes; it has no blank.
            FUZZ_CHECK(token[0] != L'"' && token.find(L' ') == std::wstring::npos);
            quoted += L" " + token;
        }
    }
    FUZZ_CHECK(characters <= text.size());
    FUZZ_CHECK(launcher::SplitCommandTokens(quoted) == tokens);

    // The arguments for main are tokens too, taken from the text without the program.
    characters = 0;
    for (const std::wstring& argument : launcher::ArgumentsFromCommandLine(text)) {
        characters += argument.size();
    }
    FUZZ_CHECK(characters <= text.size());
    return 0;
}
