#include "letter_command_line.h"

#include "support/path_separators.h"
#include "support/trim_blanks.h"

namespace letterstart {

std::wstring_view ArgumentText(std::wstring_view commandLine) {
    size_t position = 0;
    if (!commandLine.empty() && commandLine.front() == L'"') {
        // A quoted program name ends at its closing quote.
        const size_t closing = commandLine.find(L'"', 1);
        position = closing == std::wstring_view::npos ? commandLine.size() : closing + 1;
    } else {
        while (position < commandLine.size() && commandLine[position] != L' ' &&
               commandLine[position] != L'\t') {
            ++position;
        }
    }
    while (position < commandLine.size() &&
           (commandLine[position] == L' ' || commandLine[position] == L'\t')) {
        ++position;
    }
    return commandLine.substr(position);
}

std::vector<std::wstring> SplitAtMarker(std::wstring_view text) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t found = text.find(kMarker); found != std::wstring_view::npos;
         found = text.find(kMarker, start)) {
        parts.emplace_back(text.substr(start, found - start));
        start = found + kMarker.size();
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

std::wstring_view WithoutEnclosingQuotes(std::wstring_view text) {
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

std::optional<std::wstring> MainDocumentPath(std::wstring_view firstPart) {
    if (firstPart.size() < 3) {
        return std::nullopt;
    }
    const std::wstring_view cut = firstPart.substr(2, firstPart.size() - 3);
    return support::NormalizePathSeparators(WithoutEnclosingQuotes(support::TrimBlanks(cut)));
}

std::wstring DataSourcePath(std::wstring_view secondPart) {
    return support::NormalizePathSeparators(
        WithoutEnclosingQuotes(support::TrimBlanks(secondPart)));
}

}  // namespace letterstart
