#pragma once
// Registers the recording automation double (com_double.dll beside the test program) as the
// in-process server of a class and its ProgIDs for as long as the owner lives. From a 32-bit
// test this writes the 32-bit view, which our 32-bit programs read. The owner removes the
// class's and ProgIDs' keys whole when it ends, so name only classes and ProgIDs that the
// prefix does not hold itself (wine's own Scripting.FileSystemObject, say), and give tests
// that share a name a ctest RESOURCE_LOCK.
#include <string>
#include <vector>

namespace testing_support {

class ComDoubleRegistration {
  public:
    // classId in braces; configPath: the double's configuration file (see double_config.h).
    ComDoubleRegistration(std::wstring classId, std::vector<std::wstring> progIds,
                          const std::wstring& configPath);
    ~ComDoubleRegistration();
    ComDoubleRegistration(const ComDoubleRegistration&) = delete;
    ComDoubleRegistration& operator=(const ComDoubleRegistration&) = delete;

  private:
    std::wstring classId_;
    std::vector<std::wstring> progIds_;
};

// The lines the double logged, each without its line break.
std::vector<std::string> CallLog(const std::wstring& logPath);

}  // namespace testing_support
