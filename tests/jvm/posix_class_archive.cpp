#include "posix_class_archive.h"

#include "jvm/class_archive.h"
#include "jvm/run_hooks.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <utility>

namespace test_archive {

namespace {

namespace fs = std::filesystem;

class PosixArchiveFolder final : public jvm::ArchiveFolder {
  public:
    explicit PosixArchiveFolder(fs::path folder) : folder_(std::move(folder)) {}
    std::vector<File> Files(std::string_view prefix) override {
        std::vector<File> files;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder_, error)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(prefix) && entry.is_regular_file(error)) {
                files.push_back({name, entry.file_size(error)});
            }
        }
        return files;
    }
    std::string Checksum(const std::string& name) override {
        std::ifstream file(folder_ / name, std::ios::binary);
        jvm::ArchiveChecksum checksum;
        std::string buffer(1 << 20, '\0');
        while (file.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
               file.gcount() > 0) {
            checksum.Add(std::string_view(buffer.data(), static_cast<std::size_t>(file.gcount())));
        }
        return file.eof() ? checksum.Hex() : std::string();
    }
    bool Move(const std::string& from, const std::string& to) override {
        std::error_code error;
        fs::rename(folder_ / from, folder_ / to, error);
        return !error;
    }
    void Remove(const std::string& name) override {
        std::error_code error;
        fs::remove(folder_ / name, error);
    }

  private:
    fs::path folder_;
};

constexpr char kPrefix[] = "host-";

struct PendingArchive {
    std::unique_ptr<PosixArchiveFolder> folder;
    std::string stem;
    std::string name;
};
PendingArchive pending;

void CompleteArchive() {
    if (!pending.name.empty()) {
        const std::string name = jvm::CompletePendingArchive(*pending.folder, kPrefix, pending.stem,
                                                             std::exchange(pending.name, {}));
        std::printf("archive complete %s\n", name.c_str());
        std::fflush(stdout);
    }
}

}  // namespace

bool AddArchiveOptions(const std::string& library, const std::string& classPath,
                       const std::string& folder, std::vector<std::string>& jvmOptions) {
    const fs::path home = fs::path(library).parent_path().parent_path().parent_path();
    std::ifstream releaseFile(home / "release");
    const std::string release{std::istreambuf_iterator<char>(releaseFile), {}};
    std::vector<std::string> parts{library, release};
    parts.insert(parts.end(), jvmOptions.begin(), jvmOptions.end());
    std::error_code error;
    parts.push_back(
        std::to_string(fs::file_size(classPath, error)) + "|" +
        std::to_string(fs::last_write_time(classPath, error).time_since_epoch().count()));
    pending.folder = std::make_unique<PosixArchiveFolder>(folder);
    pending.stem = kPrefix + jvm::ArchiveKey(parts);
    const std::string complete = jvm::FindCompleteArchive(*pending.folder, pending.stem);
    const std::string name =
        jvm::PendingArchiveName(pending.stem, static_cast<unsigned long>(::getpid()));
    const auto added = jvm::ClassArchiveOptions(
        jvm::ReleaseFeatureVersion(release),
        complete.empty() ? std::string() : (fs::path(folder) / complete).string(),
        (fs::path(folder) / name).string());
    jvmOptions.insert(jvmOptions.begin(), added.begin(), added.end());
    if (!complete.empty() || added.empty()) {
        return false;
    }
    pending.name = name;
    jvm::SetExitWork(&CompleteArchive);
    return true;
}

}  // namespace test_archive
