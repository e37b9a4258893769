#pragma once
// The launcher's class-data archive keeping, with the folder and the facts taken the POSIX
// way: for the probe and the start-up benchmark on the host.
#include <string>
#include <vector>

namespace test_archive {

// Puts the archive's options in front of jvmOptions, keyed as the launcher keys them. True when
// the JVM makes a new archive: the caller then ends it with jvm::HaltJvm after main, and the
// exit hook moves the archive into place ("archive complete NAME" on standard output).
bool AddArchiveOptions(const std::string& library, const std::string& classPath,
                       const std::string& folder, std::vector<std::string>& jvmOptions);

}  // namespace test_archive
