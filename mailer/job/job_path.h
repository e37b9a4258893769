#pragma once
// The mail job's path as the caller hands it over on the command line.
#include <string>
#include <string_view>

namespace mailer {

// Cleans the raw argument text: doubled backslashes and doubled slashes become one "/",
// blanks (U+0020 only) around it and every double quote go. A leading "\\" of a network
// path is kept, so that a job on a share stays reachable. Upper-casing, which the job path
// also gets, is left to the caller: it follows the platform's case rules.
std::wstring NormaliseJobPath(std::wstring_view raw);

}  // namespace mailer
