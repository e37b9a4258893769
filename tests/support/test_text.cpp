#include "test_text.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace testing_support {

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring WinePath(std::string_view linuxPath) {
    std::wstring path = L"Z:";
    for (const char c : linuxPath) {
        path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
    }
    return path;
}

std::string DocsLine(std::string_view docsDir, std::string_view page, std::string_view prefix) {
    const std::string path = std::string(docsDir) + "/" + std::string(page);
#ifdef _WIN32
    const std::string text = ReadFileBytes(WinePath(path));
#else
    const std::string text = ReadFileBytes(path);
#endif
    for (const std::string& line : Lines(text)) {
        const std::string_view rest =
            std::string_view(line).substr(std::min(line.size(), line.find_first_not_of(' ')));
        if (rest.starts_with(prefix)) {
            return std::string(rest);
        }
    }
    return {};
}

}  // namespace testing_support
