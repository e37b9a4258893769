#include "jvm_start/catalogue_reporter.h"

#include "jvm_start/wide_text.h"
#include "messages/catalogue.h"
#include "messages/error_report.h"

namespace launcher {

void CatalogueReporter::Report(jvm::Message message, std::u16string_view insert) {
    const auto id = static_cast<unsigned>(message);
    if (message == jvm::Message::kNoMainMethod) {
        PrintError(LoadMessage(id));
        return;
    }
    const std::wstring wide = ToWide(insert);
    PrintError(FormatCatalogueMessage(id, std::wstring_view(wide)));
}

void CatalogueReporter::ReportCreateFailure(jint code) {
    ReportJvmCreateError(static_cast<int>(code));
}

}  // namespace launcher
