#include "jvm_start/jvm_lifetime.h"

#include <jni.h>

#include "jvm/main_invocation.h"
#include "jvm_start/catalogue_reporter.h"
#include "jvm_start/exception_dialogs.h"
#include "jvm_start/keeps_jvm_alive.h"
#include "jvm_start/output_files.h"
#include "jvm_start/wide_text.h"
#include "trace/startup_trace.h"

namespace launcher {

std::optional<jvm::Jvm> CreateJvm(const jvm::EntryPoints& entryPoints, const JvmRequest& request) {
    if (entryPoints.createJavaVm == nullptr) {
        return std::nullopt;
    }
    const trace::Phase phase(L"JVM creation");
    CatalogueReporter reporter;
    jvm::Jvm created;
    if (!jvm::CreateJvm(entryPoints.createJavaVm, request.options, reporter, created)) {
        return std::nullopt;
    }
    trace::Write(L"JVM created");
    RedirectOutputFiles(created.env, request.output);
    return created;
}

bool InvokeMain(const jvm::Jvm& jvm, const jvm::EntryPoints& entryPoints,
                const LauncherSettings& settings, const std::vector<std::wstring>& arguments,
                bool showExceptions, const std::function<void()>& beforeMain) {
    if (jvm.vm == nullptr || jvm.env == nullptr) {
        return false;
    }
    jvm::MainRequest request;
    request.mainClass = ToU16(settings.mainClass);
    request.arguments.reserve(arguments.size());
    for (const std::wstring& argument : arguments) {
        request.arguments.push_back(ToU16(argument));
    }
    request.failureCheck = settings.failureCheck || showExceptions;
    request.keepAlive = KeepsJvmAlive(settings);
    request.beforeMain = [&jvm, &beforeMain, showExceptions] {
        if (showExceptions) {
            ShowThreadExceptions(jvm.env);
        }
        beforeMain();
    };
    // Without the dialogs the text is built and dropped.
    if (showExceptions) {
        request.exceptionText = &ShowMainException;
    }
    const trace::Phase phase(L"main");
    CatalogueReporter reporter;
    const bool returned =
        jvm::InvokeMain(jvm, entryPoints.findClassFromBootLoader, request, reporter);
    trace::Write(std::wstring_view(returned ? L"main returned" : L"main failed"));
    return returned;
}

void DestroyJvm(const jvm::Jvm& jvm) {
    if (jvm.vm != nullptr) {
        jvm.vm->DestroyJavaVM();
    }
}

}  // namespace launcher
