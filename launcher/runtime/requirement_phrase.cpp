#include "runtime/requirement_phrase.h"

#include "messages/catalogue.h"
#include "runtime/requirement_phrase_choice.h"

namespace launcher {

std::wstring BuildRequirementPhrase(const Version& minimum, const Version& maximum) {
    const RequirementPhraseChoice choice = ChooseRequirementPhrase(minimum, maximum);
    switch (choice.versions.size()) {
        case 0:
            return LoadMessage(choice.textId);
        case 1:
            return FormatCatalogueMessage(choice.textId, std::wstring_view(choice.versions[0]));
        default:
            return FormatCatalogueMessage(choice.textId, std::wstring_view(choice.versions[0]),
                                          std::wstring_view(choice.versions[1]));
    }
}

}  // namespace launcher
