// Settings values: the version bounds stay within their fill, "Preferred versions" joined
// with ";" give the value back and always choose an existing runtime, and the settings paths
// derived from a program path keep their shape.
#include "runtime/candidate_order.h"
#include "settings/setting_values.h"
#include "settings/settings_path_rules.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::wstring> pieces = fuzz::Pieces(fuzz::WideText(data, size), 3);
    const std::wstring& value = pieces[0];

    const launcher::Version minimum = launcher::ParseMinimumVersion(value);
    const launcher::Version maximum = launcher::ParseMaximumVersion(value);
    for (int i = 0; i < 4; ++i) {
        FUZZ_CHECK(minimum.components[i] >= 0 && maximum.components[i] >= 0);
    }
    launcher::WithinVersionBounds(minimum, minimum, maximum);

    const std::vector<std::wstring> preferred = launcher::SplitPreferredVersions(value);
    const std::wstring joined = fuzz::Join(preferred, L";");
    FUZZ_CHECK(joined == value || joined + L";" == value);
    std::vector<launcher::RuntimeCandidate> candidates;
    for (const std::wstring& text : launcher::SplitPreferredVersions(pieces[1])) {
        launcher::RuntimeCandidate candidate{};
        launcher::ParseVersion(text, 0, candidate.version);
        candidate.isServer = text.size() % 2 == 0;
        candidate.isPreferred = text.size() % 3 == 0;
        candidates.push_back(candidate);
    }
    if (!candidates.empty()) {
        launcher::OrderCandidates(candidates, true, launcher::ParseJvmType(L"favor_server"));
        FUZZ_CHECK(launcher::ChooseCandidate(candidates, preferred) < candidates.size());
    }

    const std::wstring& programPath = pieces[2];
    if (const std::optional<std::wstring> settings = launcher::SettingsPathFor(programPath)) {
        FUZZ_CHECK(settings->ends_with(L".ini"));
        FUZZ_CHECK(launcher::ProgramFolder(*settings) == launcher::ProgramFolder(programPath));
    }
    const std::wstring product = launcher::SanitizeProductName(value);
    FUZZ_CHECK(product.find_first_of(L"\\?\"|><:/*") == std::wstring::npos);
    const std::wstring user = launcher::UserSettingsPathFor(L"A", value, L"C", programPath);
    FUZZ_CHECK(user.starts_with(L"A\\" + product + L"\\C\\") && user.ends_with(L".ini"));
    const std::wstring jrePath = launcher::MakeJrePathAbsolute(value, L"F");
    FUZZ_CHECK(jrePath.ends_with(value));
    return 0;
}
