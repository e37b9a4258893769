#include "jvm_start/exception_dialogs.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>

#include "jvm/application_calls.h"
#include "jvm/uncaught_handler.h"
#include "jvm_start/wide_text.h"
#include "messages/error_box.h"
#include "support/unique_handle.h"
#include "trace/startup_trace.h"
#include "windowed/exception_dialog.h"
#include "windowed/program_subsystem.h"

namespace launcher {
namespace {

std::atomic<bool> dialogOpen{false};

// The user's answer: true for Stop; nothing when another dialog is open.
std::optional<bool> Ask(const std::u16string& text) {
    const std::wstring wide = ToWide(text);
    if (dialogOpen.exchange(true)) {
        trace::Write(L"exception not shown, a dialog is open: ", wide.substr(0, wide.find(L'\n')));
        return std::nullopt;
    }
    const bool stop = AskStopAfterException(wide);
    dialogOpen.store(false);
    trace::Write(L"exception dialog answered: ", std::wstring_view(stop ? L"Stop" : L"Ignorieren"));
    return stop;
}

struct ThreadException {
    JavaVM* vm;
    std::u16string text;
};

DWORD WINAPI AskOnThreadOfItsOwn(void* parameter) {
    const std::unique_ptr<ThreadException> exception(static_cast<ThreadException*>(parameter));
    if (Ask(exception->text).value_or(false)) {
        jvm::ExitJvm(exception->vm, 1);
    }
    return 0;
}

// On the Java thread that ended: it must not wait for the user while it may hold a lock.
void ReportThreadException(JavaVM* vm, const std::u16string& text) {
    auto exception = std::make_unique<ThreadException>(ThreadException{vm, text});
    const support::UniqueHandle thread(
        ::CreateThread(nullptr, 0, &AskOnThreadOfItsOwn, exception.get(), 0, nullptr));
    if (thread) {
        exception.release();  // the thread owns it now
    }
}

}  // namespace

bool ExceptionDialogsOffered(const LauncherSettings& settings, const OutputFiles& output) {
    return settings.exceptionDialog && !settings.isService && IsWindowedProgram() &&
           output.errorFile.empty() && !StandardStreamAttached(STD_ERROR_HANDLE) &&
           OnInteractiveWindowStation();
}

void ShowThreadExceptions(JNIEnv* env) {
    trace::Write(jvm::InstallUncaughtHandler(env, &ReportThreadException)
                     ? L"uncaught-exception handler installed"
                     : L"uncaught-exception handler not installed");
}

void ShowMainException(const std::u16string& text) {
    if (Ask(text).value_or(false)) {
        trace::Write(L"exit code: 0 (Stop)");
        ::ExitProcess(0);
    }
}

}  // namespace launcher
