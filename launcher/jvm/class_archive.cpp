#include "jvm/class_archive.h"

#include <charconv>
#include <cstring>

namespace jvm {

namespace {

constexpr std::string_view kArchiveEnding = ".jsa";

std::string HexText(std::uint64_t value) {
    std::string text(16, '0');
    for (std::size_t i = text.size(); i-- > 0; value >>= 4) {
        text[i] = "0123456789abcdef"[value & 0xF];
    }
    return text;
}

}  // namespace

int ReleaseFeatureVersion(std::string_view releaseText) {
    constexpr std::string_view key = "JAVA_VERSION=\"";
    std::size_t at = 0;
    // The key begins a line.
    while ((at = releaseText.find(key, at)) != std::string_view::npos && at != 0 &&
           releaseText[at - 1] != '\n') {
        ++at;
    }
    if (at == std::string_view::npos) {
        return 0;
    }
    std::string_view version = releaseText.substr(at + key.size());
    if (version.starts_with("1.")) {
        version.remove_prefix(2);
    }
    int feature = 0;
    const auto [end, error] =
        std::from_chars(version.data(), version.data() + version.size(), feature);
    return error == std::errc{} ? feature : 0;
}

bool ChoosesClassSharing(const std::vector<std::string>& options) {
    constexpr std::string_view kWords[] = {"-Xshare", "SharedArchiveFile", "ArchiveClassesAtExit",
                                           "AOTCache"};
    for (const std::string& option : options) {
        for (const std::string_view word : kWords) {
            if (option.find(word) != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

void ArchiveChecksum::Mix(std::uint64_t word) {
    hash_ = (hash_ ^ word) * 0xFF51AFD7ED558CCDULL;
    hash_ ^= hash_ >> 32;
}

void ArchiveChecksum::Add(std::string_view bytes) {
    length_ += bytes.size();
    const char* next = bytes.data();
    std::size_t left = bytes.size();
    // Whole words while no bytes are carried over: the common case, and the fast one.
    while (carried_ == 0 && left >= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, next, 8);
        Mix(word);
        next += 8;
        left -= 8;
    }
    for (; left > 0; --left, ++next) {
        carry_ |= static_cast<std::uint64_t>(static_cast<unsigned char>(*next)) << (8 * carried_);
        if (++carried_ == 8) {
            Mix(carry_);
            carry_ = 0;
            carried_ = 0;
        }
    }
}

std::string ArchiveChecksum::Hex() const {
    ArchiveChecksum last = *this;
    last.Mix(last.carry_);
    last.Mix(length_);
    return HexText(last.hash_);
}

std::string ArchiveKey(const std::vector<std::string>& parts) {
    // FNV-1a; a part ends with a byte no path or option holds, so that parts cannot shift.
    std::uint64_t hash = 14695981039346656037ULL;
    const auto add = [&hash](unsigned char byte) { hash = (hash ^ byte) * 1099511628211ULL; };
    for (const std::string& part : parts) {
        for (const char c : part) {
            add(static_cast<unsigned char>(c));
        }
        add(0);
    }
    return HexText(hash);
}

std::vector<std::string> ClassArchiveOptions(int feature, const std::string& complete,
                                             const std::string& pending) {
    if (feature < 13) {
        return {};
    }
    // The runtime reports an unusable or mismatched archive, and then runs without it; the
    // user should see nothing of that.
    std::vector<std::string> options{"-Xlog:cds*=off"};
    if (!complete.empty()) {
        options.push_back("-XX:SharedArchiveFile=" + complete);
    } else if (feature >= 19) {
        options.push_back("-XX:+AutoCreateSharedArchive");
        options.push_back("-XX:SharedArchiveFile=" + pending);
    } else {
        options.push_back("-XX:ArchiveClassesAtExit=" + pending);
    }
    return options;
}

std::string PendingArchiveName(std::string_view stem, unsigned long processId) {
    return std::string(stem) + "." + std::to_string(processId) + ".part";
}

std::string CompleteArchiveName(std::string_view stem, std::string_view checksum) {
    return std::string(stem) + "-" + std::string(checksum) + std::string(kArchiveEnding);
}

std::string FindCompleteArchive(ArchiveFolder& folder, std::string_view stem) {
    const std::string prefix = std::string(stem) + "-";
    for (const ArchiveFolder::File& file : folder.Files(prefix)) {
        if (!file.name.ends_with(kArchiveEnding)) {
            continue;
        }
        if (file.name == CompleteArchiveName(stem, folder.Checksum(file.name))) {
            return file.name;
        }
        folder.Remove(file.name);
    }
    return {};
}

std::string CompletePendingArchive(ArchiveFolder& folder, std::string_view prefix,
                                   std::string_view stem, const std::string& pending) {
    // A failed dump leaves no file, or an empty one.
    std::uint64_t written = 0;
    for (const ArchiveFolder::File& file : folder.Files(pending)) {
        written = file.name == pending ? file.size : written;
    }
    const std::string checksum = written > 0 ? folder.Checksum(pending) : std::string();
    const std::string complete = CompleteArchiveName(stem, checksum);
    if (checksum.empty() || !folder.Move(pending, complete)) {
        folder.Remove(pending);
        return {};
    }
    // Older archives go; what other starts are still writing stays.
    for (const ArchiveFolder::File& file : folder.Files(prefix)) {
        if (file.name != complete && file.name.ends_with(kArchiveEnding)) {
            folder.Remove(file.name);
        }
    }
    return complete;
}

}  // namespace jvm
