#include "job/job_path.h"

#include "support/trim_blanks.h"

namespace mailer {
namespace {

// Left to right, not overlapping, replacements not looked at again.
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to,
                        size_t start) {
    std::wstring out(text.substr(0, start));
    size_t at = start;
    for (size_t hit = text.find(from, at); hit != std::wstring_view::npos;
         hit = text.find(from, at)) {
        out.append(text.substr(at, hit - at)).append(to);
        at = hit + from.size();
    }
    return out.append(text.substr(at));
}

}  // namespace

std::wstring NormaliseJobPath(std::wstring_view raw) {
    std::wstring text(raw);
    // A network path's leading pair may sit behind the blanks and the quote that go later.
    const size_t first = text.find_first_not_of(L" \"");
    const size_t keep =
        first != std::wstring::npos && text.compare(first, 2, L"\\\\") == 0 ? first + 2 : 0;
    // Callers write separators doubled (C:\\Jobs\\mail.ini); the platform takes "/" too.
    text = ReplaceAll(text, L"\\\\", L"/", keep);
    text = ReplaceAll(text, L"//", L"/", 0);
    text = support::TrimBlanks(text);
    std::erase(text, L'"');
    return text;
}

}  // namespace mailer
