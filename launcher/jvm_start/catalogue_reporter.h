#pragma once
// The JNI layer's failures as the launcher's German error lines.
#include "jvm/reporter.h"

namespace launcher {

class CatalogueReporter final : public jvm::Reporter {
  public:
    void Report(jvm::Message message, std::u16string_view insert) override;
    void ReportCreateFailure(jint code) override;
};

}  // namespace launcher
