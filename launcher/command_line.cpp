#include "command_line.h"

#include <cwctype>

namespace launcher {

std::vector<std::wstring> SplitCommandTokens(std::wstring_view text) {
    std::vector<std::wstring> tokens;
    size_t position = 0;
    while (position < text.size()) {
        if (text[position] == L' ') {
            ++position;
            continue;
        }
        if (text[position] == L'"') {
            const size_t close = text.find(L'"', position + 1);
            const size_t end = close == std::wstring_view::npos ? text.size() : close;
            tokens.emplace_back(text.substr(position + 1, end - position - 1));
            position = close == std::wstring_view::npos ? text.size() : close + 1;
            continue;
        }
        const size_t blank = text.find(L' ', position);
        const size_t end = blank == std::wstring_view::npos ? text.size() : blank;
        tokens.emplace_back(text.substr(position, end - position));
        position = end;
    }
    return tokens;
}

std::vector<std::wstring> ArgumentsFromCommandLine(std::wstring_view commandLine) {
    size_t first = 0;
    size_t last = commandLine.size();
    while (first < last && std::iswspace(commandLine[first])) {
        ++first;
    }
    while (last > first && std::iswspace(commandLine[last - 1])) {
        --last;
    }
    std::vector<std::wstring> tokens = SplitCommandTokens(commandLine.substr(first, last - first));
    if (!tokens.empty()) {
        tokens.erase(tokens.begin());
    }
    return tokens;
}

}  // namespace launcher
