#pragma once
// The launcher's token rule for its own command line and the "Cmd" setting: a double quote
// groups up to the next double quote, only the blank separates, there is no escape.
#include <string>
#include <string_view>
#include <vector>

namespace launcher {

// Tokens of text. A token opened by a quote runs to the next quote (or the end) and is
// taken without the quotes, so "" gives an empty token; any other token runs to the next
// blank. Blanks between tokens are skipped.
std::vector<std::wstring> SplitCommandTokens(std::wstring_view text);

// The arguments for main: the command line without surrounding white space, split into
// tokens, without its first token (the program).
std::vector<std::wstring> ArgumentsFromCommandLine(std::wstring_view commandLine);

}  // namespace launcher
