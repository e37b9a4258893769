#pragma once
// Class-data archives: the runtime maps an application's classes from a file instead of loading
// and verifying them at every start. What the JVM is asked for, and how the archives in their
// folder are named, kept and replaced. The caller gathers the facts and owns the folder.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jvm {

// The feature version in a runtime's release file: 17 for JAVA_VERSION="17.0.2", 8 for
// "1.8.0_392"; 0 when the text has none.
int ReleaseFeatureVersion(std::string_view releaseText);

// Whether the application's own options already decide how classes are shared.
bool ChoosesClassSharing(const std::vector<std::string>& options);

// 16 hex digits that change with any part (paths, sizes, times, versions, options).
std::string ArchiveKey(const std::vector<std::string>& parts);

// The options for a runtime of this feature version: reading the complete archive when there
// is one, else writing a new one under the pending path. Empty below version 13.
std::vector<std::string> ClassArchiveOptions(int feature, const std::string& complete,
                                             const std::string& pending);

// A checksum of a file's bytes, fed in pieces of any size as they are read. Runtimes trust an
// archive's contents and crash on damaged ones; checking all of them themselves costs a
// runtime up to 130 ms, this about 1 ms per 4 MiB.
class ArchiveChecksum {
  public:
    void Add(std::string_view bytes);
    // 16 hex digits.
    std::string Hex() const;

  private:
    void Mix(std::uint64_t word);

    std::uint64_t hash_ = 0x9E3779B97F4A7C15ULL;
    std::uint64_t carry_ = 0;
    unsigned carried_ = 0;
    std::uint64_t length_ = 0;
};

// The file names inside the archive folder. The complete name records the checksum, so that
// a damaged or truncated archive is never handed to the JVM.
std::string PendingArchiveName(std::string_view stem, unsigned long processId);
std::string CompleteArchiveName(std::string_view stem, std::string_view checksum);

// The folder as this layer needs it; names are relative to it.
class ArchiveFolder {
  public:
    struct File {
        std::string name;
        std::uint64_t size = 0;
    };
    // The files whose names begin with prefix.
    virtual std::vector<File> Files(std::string_view prefix) = 0;
    // ArchiveChecksum's text of the file's bytes; empty when it cannot be read.
    virtual std::string Checksum(const std::string& name) = 0;
    // Replaces an existing target.
    virtual bool Move(const std::string& from, const std::string& to) = 0;
    // A file in use stays.
    virtual void Remove(const std::string& name) = 0;

  protected:
    ~ArchiveFolder() = default;
};

// The name of stem's complete archive, or empty; one whose checksum does not match is removed.
std::string FindCompleteArchive(ArchiveFolder& folder, std::string_view stem);

// Moves what the JVM wrote under pending into place and removes the prefix's other complete
// archives (older keys); what other starts are writing stays. The complete name, or empty when
// nothing usable was written.
std::string CompletePendingArchive(ArchiveFolder& folder, std::string_view prefix,
                                   std::string_view stem, const std::string& pending);

}  // namespace jvm
