#pragma once
// Standard output of this process goes into a file for the life of the object.
#include <windows.h>

#include <string>

#include "scratch_folder.h"
#include "support/unique_handle.h"

namespace testing_support {

class CapturedOutput {
  public:
    CapturedOutput();
    ~CapturedOutput();
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    // What was written so far.
    std::string Bytes() const;

  private:
    ScratchFolder folder_;  // declared first: it outlives the file in it
    HANDLE previous_;
    support::UniqueHandle file_;
};

}  // namespace testing_support
