#include <new>

#include "delivery/delivery_chain.h"
#include "job/job_messages.h"
#include "support/path_separators.h"

namespace mailer {
namespace {
// The rule makes its new text in one pass; only that allocation can fail.
constexpr int kReplaceStep = 30;
constexpr long kOutOfMemory = 7;
constexpr wchar_t kOutOfMemoryText[] = L"Nicht genügend Speicher";
}  // namespace

std::wstring GetPath(const MailForm& form, const std::wstring& path) {
    try {
        return support::NormalizePathSeparators(path);
    } catch (const std::bad_alloc&) {
        form.Box(GetPathFailureText(kReplaceStep, kOutOfMemory, kOutOfMemoryText), kProgramTitle,
                 MB_OK);
        return {};
    }
}

}  // namespace mailer
