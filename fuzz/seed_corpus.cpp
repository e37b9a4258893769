// Writes a harness's seed corpus: one file per line of a seeds list. In a line, \\ is a
// backslash, \0 \t \n \r are those characters, \xHH is the byte HH and \uHHHH one UTF-16
// unit in the harnesses' encoding (0xFF, low byte, high byte). Empty lines are skipped.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int HexValue(const std::string& line, size_t at, size_t digits) {
    return std::stoi(line.substr(at, digits), nullptr, 16);
}

std::string Decode(const std::string& line) {
    std::string bytes;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\\' || i + 1 == line.size()) {
            bytes.push_back(line[i]);
            continue;
        }
        const char kind = line[++i];
        switch (kind) {
            case '0':
                bytes.push_back('\0');
                break;
            case 't':
                bytes.push_back('\t');
                break;
            case 'n':
                bytes.push_back('\n');
                break;
            case 'r':
                bytes.push_back('\r');
                break;
            case 'x':
                bytes.push_back(static_cast<char>(HexValue(line, i + 1, 2)));
                i += 2;
                break;
            case 'u': {
                const int unit = HexValue(line, i + 1, 4);
                bytes.push_back(static_cast<char>(0xFF));
                bytes.push_back(static_cast<char>(unit & 0xFF));
                bytes.push_back(static_cast<char>(unit >> 8));
                i += 4;
                break;
            }
            default:
                bytes.push_back(kind);
                break;
        }
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: seed_corpus SEEDS-LIST FOLDER\n";
        return 2;
    }
    std::ifstream list(argv[1]);
    if (!list) {
        std::cerr << "seed_corpus: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::string line;
    int number = 0;
    while (std::getline(list, line)) {
        if (line.empty()) {
            continue;
        }
        const std::string path = std::string(argv[2]) + "/seed_" + std::to_string(++number);
        std::ofstream out(path, std::ios::binary);
        const std::string bytes = Decode(line);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "seed_corpus: cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
