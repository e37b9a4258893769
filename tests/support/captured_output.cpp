#include "captured_output.h"

namespace testing_support {

CapturedOutput::CapturedOutput()
    : previous_(::GetStdHandle(STD_OUTPUT_HANDLE)),
      file_(support::ValidOrNull(::CreateFileW((folder_ / L"out.txt").c_str(), GENERIC_WRITE,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))) {
    ::SetStdHandle(STD_OUTPUT_HANDLE, file_.get());
}

CapturedOutput::~CapturedOutput() {
    ::SetStdHandle(STD_OUTPUT_HANDLE, previous_);
}

std::string CapturedOutput::Bytes() const {
    return folder_.Read(L"out.txt");
}

}  // namespace testing_support
