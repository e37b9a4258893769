#include "jvm_start/catalogue_reporter.h"

#include "jvm_start/wide_text.h"
#include "messages/catalogue.h"
#include "messages/error_report.h"
#include "trace/startup_trace.h"

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
    trace::Write(L"JVM creation failed: JNI_CreateJavaVM returned ", static_cast<int>(code));
    ReportJvmCreateError(static_cast<int>(code));
}

}  // namespace launcher
